#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Win32Api.h"

#include <algorithm>

#include "platform/win32/Text.h"

namespace korvane::platform::win32 {

namespace {

// Closes the handle when it goes out of scope.
class File {
 public:
  File(const std::wstring& path, DWORD access, DWORD disposition)
      : handle_(CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~File() { Close(); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Handle() const { return handle_; }
  bool Close() {
    if (!IsOpen()) return false;
    const bool ok = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

  bool Write(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
      DWORD written = 0;
      if (!::WriteFile(handle_, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
        return false;
      }
      done += written;
    }
    return true;
  }

 private:
  HANDLE handle_;
};

}  // namespace

std::wstring ExecutableFolderW() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut short: try a larger buffer
  }
  const size_t slash = path.rfind(L'\\');
  return path.substr(0, slash == std::wstring::npos ? 0 : slash + 1);
}

Win32FileSystem::Win32FileSystem() : base_(ExecutableFolderW()) {}

std::wstring Win32FileSystem::Full(const std::string& path) const { return base_ + ToWide(path); }

std::string Win32FileSystem::DisplayPath(const std::string& path) { return FromWide(Full(path)); }

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open, as it should not.
  File file(Full(path), GENERIC_READ, OPEN_EXISTING);
  if (!file.IsOpen()) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Handle(), &size) || size.QuadPart < 0) return std::nullopt;
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD read = 0;
    if (!::ReadFile(file.Handle(), bytes.data() + done, chunk, &read, nullptr)) {
      return std::nullopt;
    }
    if (read == 0) break;  // shrank while we read
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

bool Win32FileSystem::WriteFile(const std::string& path, const std::string& bytes) {
  File file(Full(path), GENERIC_WRITE, CREATE_ALWAYS);
  return file.IsOpen() && file.Write(bytes) && FlushFileBuffers(file.Handle()) && file.Close();
}

bool Win32FileSystem::AppendFile(const std::string& path, const std::string& bytes) {
  File file(Full(path), FILE_APPEND_DATA, OPEN_ALWAYS);
  return file.IsOpen() && file.Write(bytes) && file.Close();
}

bool Win32FileSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::wstring target = Full(path);
  const std::wstring temporary = target + L".tmp";
  bool ok;
  {
    File file(temporary, GENERIC_WRITE, CREATE_ALWAYS);
    ok = file.IsOpen() && file.Write(bytes) && FlushFileBuffers(file.Handle()) && file.Close();
  }
  ok = ok && MoveFileExW(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temporary.c_str());
  return ok;
}

bool Win32FileSystem::MoveFile(const std::string& from, const std::string& to) {
  return MoveFileExW(Full(from).c_str(), Full(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
  return DeleteFileW(Full(path).c_str()) != FALSE;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  return CreateDirectoryW(Full(path).c_str(), nullptr) != FALSE;
}

bool Win32FileSystem::RemoveFolder(const std::string& path) {
  return RemoveDirectoryW(Full(path).c_str()) != FALSE;
}

bool Win32FileSystem::FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Full(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Full(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace korvane::platform::win32
