#include "platform/load_message.h"

#include <windows.h>

#include "framework/scoped_handle.h"
#include "platform/string_block.h"

bool LoadMessage(uint16_t id, std::string& text) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    // No language named: the platform's resource-language order picks the table.
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(StringBlockId(id)), MAKEINTRESOURCEA(6));
    if (found == nullptr) return false;
    fw::ScopedResource loaded(::LoadResource(module, found));
    const void* block = loaded ? ::LockResource(loaded.get()) : nullptr;
    if (block == nullptr) return false;
    std::u16string wide;
    if (!FindBlockEntry(block, ::SizeofResource(module, found), StringBlockEntry(id), &wide)) {
        return false;
    }
    const auto* units = reinterpret_cast<const wchar_t*>(wide.data());
    const int count = static_cast<int>(wide.size());
    const int bytes =
        ::WideCharToMultiByte(CP_THREAD_ACP, 0, units, count, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) {
        ::WideCharToMultiByte(CP_THREAD_ACP, 0, units, count, converted.data(), bytes, nullptr,
                              nullptr);
    }
    text = std::move(converted);
    return true;
}
