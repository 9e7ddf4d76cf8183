// The version marker: a fixed registry string that records that the run reached a decision on
// this machine. The registry calls sit behind a small interface so that the exact bytes handed
// to the platform can be checked.
#pragma once

#include <cstdint>
#include <string>

inline constexpr char kMarkerKey[] = ".DEFAULT\\Software\\Tavren\\BIOSUPDATE\\Parameters";
inline constexpr char kMarkerValueName[] = "Version";
inline constexpr char kMarkerText[] = "1.1509.0114.02";
constexpr uint32_t kRegSzType = 1;  // REG_SZ

// The marker key under HKEY_USERS, as the platform's registry functions reach it.
class MarkerRegistry {
public:
    virtual ~MarkerRegistry() = default;
    // Opens the key for setting values; false when it does not exist or may not be opened.
    virtual bool OpenKey(const char* key) = 0;
    // Creates the key with every missing level and opens it.
    virtual bool CreateKey(const char* key) = 0;
    virtual bool SetValue(const char* name, uint32_t type, const void* data, uint32_t size) = 0;
    // Closes the key opened or created above.
    virtual void CloseKey() = 0;
};

// The marker's data: the text with its terminating NUL, as a string value must hold it.
std::string MarkerData();

// True when the value was written.
bool WriteVersionMarker(MarkerRegistry& registry);
