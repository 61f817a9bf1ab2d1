// Registrations with the system: the single-instance mutex, the tray icon, the global hotkey.
#pragma once

#include "platform/win32/Win32Api.h"

#include "platform/System.h"

namespace korvane::platform::win32 {

class Win32System : public System {
 public:
  Win32System() = default;
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  std::uint32_t CreateInstanceMutex(const std::string& name) override;
  void ReleaseInstanceMutex() override;
  bool AddTrayIcon(WindowHandle window, std::uint32_t id, std::uint32_t callbackMessage,
                   const std::string& tip) override;
  bool DeleteTrayIcon(WindowHandle window, std::uint32_t id) override;
  std::uint32_t TaskbarCreatedMessage() override;
  std::uint16_t GlobalAddAtom(const std::string& name) override;
  void GlobalDeleteAtom(std::uint16_t atom) override;
  bool RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                      std::uint32_t virtualKey) override;
  bool UnregisterHotKey(WindowHandle window, int id) override;

 private:
  HANDLE mutex_ = nullptr;
};

}  // namespace korvane::platform::win32
