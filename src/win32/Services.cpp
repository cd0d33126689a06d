// The Windows program's platform services, put together.
#include "Services.h"

#include <utility>

namespace loadergui::win32 {

Win32Services::Win32Services() : Win32Processes(static_cast<Win32FileSystem&>(*this)) {}

Win32Services::Win32Services(std::string programFolder, std::string programBaseName)
    : Win32FileSystem(std::move(programFolder), std::move(programBaseName)),
      Win32Processes(static_cast<Win32FileSystem&>(*this)) {}

platform::Services Win32Services::interfaces() {
  return {*this, *this, *this, *this, *this, *this, *this};
}

}  // namespace loadergui::win32
