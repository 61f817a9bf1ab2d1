// Registrations with the system: the single-instance mutex, the tray icon and the hotkey.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace korvane::platform {

class System {
 public:
  virtual ~System() = default;

  // Creates the named mutex, owned. Returns the error the system reports (0 when it was
  // created new; non-zero, ERROR_ALREADY_EXISTS say, when another process holds the name).
  virtual std::uint32_t CreateInstanceMutex(const std::string& name) = 0;
  virtual void ReleaseInstanceMutex() = 0;

  // The notification-area icon, with the application's icon.
  virtual bool AddTrayIcon(WindowHandle window, std::uint32_t id, std::uint32_t callbackMessage,
                           const std::string& tip) = 0;
  virtual bool DeleteTrayIcon(WindowHandle window, std::uint32_t id) = 0;
  // The message the taskbar broadcasts when it has started anew (Explorer restarted): its
  // icons are gone and must be added again.
  virtual std::uint32_t TaskbarCreatedMessage() = 0;

  // Global hotkey; modifiers are MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
  virtual std::uint16_t GlobalAddAtom(const std::string& name) = 0;
  virtual void GlobalDeleteAtom(std::uint16_t atom) = 0;
  virtual bool RegisterHotKey(WindowHandle window, int id, std::uint32_t modifiers,
                              std::uint32_t virtualKey) = 0;
  virtual bool UnregisterHotKey(WindowHandle window, int id) = 0;
};

}  // namespace korvane::platform
