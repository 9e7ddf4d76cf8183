// The text of a WMI property value. The queries themselves are operations of the splash window
// (ConnectWmi, GetFirstInstance, GetPropertyValue), which owns their interfaces.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>

// A string value in the ANSI code page of the calling thread, up to its first null character,
// with a to z upper-cased; empty for a null string, for a value that is no string and for one
// that converts to no bytes.
std::string UpperPropertyText(const VARIANT& value);
