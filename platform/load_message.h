// Fetches a text of the message table in the platform's language order (Korean on a Korean
// system, English otherwise), converted to the thread's ANSI code page.
#pragma once

#include <cstdint>
#include <string>

// True when the message exists; otherwise `text` is left exactly as it was.
bool LoadMessage(uint16_t id, std::string& text);
