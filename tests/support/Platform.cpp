#include "Platform.h"

#ifdef _WIN32
#include <windows.h>

namespace kinloom::test {

HeldOpen::HeldOpen(const std::filesystem::path& file)
    : handle_(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {}

HeldOpen::~HeldOpen() {
    if (Holding()) CloseHandle(handle_);
}

bool HeldOpen::Holding() const {
    return handle_ != INVALID_HANDLE_VALUE;
}

}  // namespace kinloom::test
#endif
