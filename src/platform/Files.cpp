// File layer: engine paths (backslash-separated, case-insensitive as the
// scenarios were authored) mapped onto the host file system, plus the copy,
// delete, rename and directory services.
#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Frame.h"

namespace {

bool PathExists(const std::string& host) {
  struct stat st;
  return ::lstat(host.c_str(), &st) == 0;
}

// Entry names of a host directory, without "." and "..", in byte order.
bool ListHostDir(const std::string& host, std::vector<std::string>& names) {
  names.clear();
  DIR* dir = ::opendir(host.empty() ? "." : host.c_str());
  if (dir == nullptr) return false;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return true;
}

std::string JoinHost(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

// Same file system object (used to refuse copying a file onto itself and to
// keep a directory copy from descending into its own target).
bool SameObject(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool IsHostDir(const std::string& host) {
  struct stat st;
  return ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Removes one non-directory entry. A file without any write permission is
// treated as read-only and kept, as saved-game tools expect of protected files.
bool RemoveHostFile(const std::string& host) {
  struct stat st;
  if (::lstat(host.c_str(), &st) != 0) return false;
  if (S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return false;
  }
  if (S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0) {
    errno = EACCES;
    return false;
  }
  return ::unlink(host.c_str()) == 0;
}

bool CopyHostFile(const std::string& from, const std::string& to) {
  if (SameObject(from, to)) {
    errno = EINVAL;  // copying onto itself would truncate the source
    return false;
  }
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st;
  if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
    if (errno == 0) errno = EISDIR;
    ::close(in);
    return false;
  }
  const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (out < 0) {
    const int saved = errno;
    ::close(in);
    errno = saved;
    return false;
  }
  char buffer[65536];
  bool ok = true;
  for (;;) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    ssize_t done = 0;
    while (done < got) {
      const ssize_t put = ::write(out, buffer + done, static_cast<size_t>(got - done));
      if (put < 0) {
        if (errno == EINTR) continue;
        ok = false;
        break;
      }
      done += put;
    }
    if (!ok) break;
  }
  const int saved = errno;
  if (::close(out) != 0) ok = false;
  ::close(in);
  errno = saved;
  return ok;
}

std::string SystemErrorText() {
  char text[256];
  GetSystemErrorText(text, sizeof text);
  return text;
}

// Directory trees deeper than this are refused rather than followed (a link
// cycle would otherwise recurse without end).
constexpr int MaxDirDepth = 64;

int CopyDirAt(const std::string& from, const std::string& to, const std::string& hostTargetRoot,
              int depth) {
  AMakeDir(to);  // an existing directory is fine
  std::vector<std::string> names;
  if (!AListDir(from, names)) return 1;  // nothing to copy: the target exists and is empty
  if (depth >= MaxDirDepth) {
    SetLastErrorText("ERROR (ACopyDir): Directory nesting too deep: " + from);
    return 0;
  }
  int result = 1;
  for (const std::string& name : names) {
    const std::string source = from + "\\" + name;
    const std::string target = to + "\\" + name;
    const std::string hostSource = HostPath(source);
    if (IsHostDir(hostSource)) {
      // The target may lie inside the source: never copy it into itself.
      if (SameObject(hostSource, hostTargetRoot)) continue;
      if (!CopyDirAt(source, target, hostTargetRoot, depth + 1)) result = 0;
    } else if (!CopyHostFile(hostSource, HostPath(target))) {
      SetLastErrorText("ERROR (ACopyDir): CopyFile system function failed: " + SystemErrorText());
      result = 0;
    }
  }
  return result;
}

int DeleteDirAt(const std::string& path, int depth) {
  int result = 1;
  std::vector<std::string> names;
  if (depth < MaxDirDepth && AListDir(path, names)) {
    for (const std::string& name : names) {
      const std::string entry = path + "\\" + name;
      const std::string host = HostPath(entry);
      struct stat st;
      // A link to a directory is removed as a link; its target is left alone.
      if (::lstat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        if (!DeleteDirAt(entry, depth + 1)) result = 0;
      } else if (!RemoveHostFile(host)) {
        SetLastErrorText("ERROR (ADeleteDir): \"remove\" system function failed");
        result = 0;
      }
    }
  }
  if (::rmdir(HostPath(path).c_str()) != 0) {
    SetLastErrorText("ERROR (ADeleteDir): _rmdir system function failed");
    return 0;
  }
  return result;
}

}  // namespace

std::string HostPath(std::string_view enginePath) {
  std::string path(enginePath);
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty() || PathExists(path)) return path;

  // Resolve component by component, falling back to a case-insensitive match
  // where the exact name is missing. Once a component cannot be found at all
  // the rest is kept as written (a file or directory about to be created).
  std::string resolved = path[0] == '/' ? "/" : "";
  size_t pos = path[0] == '/' ? 1 : 0;
  bool searching = true;
  std::vector<std::string> names;
  while (pos <= path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    std::string component = path.substr(pos, end - pos);
    const bool last = end >= path.size();
    if (!component.empty()) {
      std::string candidate = JoinHost(resolved, component);
      if (searching && component != "." && component != ".." && !PathExists(candidate)) {
        searching = false;
        if (ListHostDir(resolved, names)) {
          for (const std::string& name : names) {
            if (::strcasecmp(name.c_str(), component.c_str()) == 0) {
              candidate = JoinHost(resolved, name);
              searching = true;
              break;
            }
          }
        }
      }
      resolved = std::move(candidate);
    } else if (last && !resolved.empty() && resolved.back() != '/') {
      resolved += '/';  // keep a trailing separator
    }
    if (last) break;
    pos = end + 1;
  }
  return resolved;
}

FILE* AOpenFile(const std::string& enginePath, const char* mode) {
  if (enginePath.empty() || mode == nullptr) return nullptr;
  return std::fopen(HostPath(enginePath).c_str(), mode);
}

bool AFileExists(const std::string& enginePath) {
  if (enginePath.empty()) return false;
  struct stat st;
  return ::stat(HostPath(enginePath).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool ADirExists(const std::string& enginePath) {
  if (enginePath.empty()) return false;
  return IsHostDir(HostPath(enginePath));
}

bool AReadFile(const std::string& enginePath, std::string& out) {
  out.clear();
  FILE* file = AOpenFile(enginePath, "rb");
  if (file == nullptr) return false;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) out.append(buffer, got);
  const bool ok = std::ferror(file) == 0;
  std::fclose(file);
  if (!ok) out.clear();
  return ok;
}

bool AWriteFileAtomic(const std::string& enginePath, std::string_view data) {
  if (enginePath.empty()) return false;
  const std::string target = HostPath(enginePath);
  const size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  std::string temp = JoinHost(dir, ".korva-write-XXXXXX");
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;

  mode_t mode = 0644;
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) mode = st.st_mode & 07777;
  bool ok = ::fchmod(fd, mode) == 0;
  size_t done = 0;
  while (ok && done < data.size()) {
    const ssize_t put = ::write(fd, data.data() + done, data.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    done += static_cast<size_t>(put);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(temp.c_str(), target.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

bool AListDir(const std::string& enginePath, std::vector<std::string>& names) {
  names.clear();
  if (enginePath.empty()) return false;
  return ListHostDir(HostPath(enginePath), names);
}

int ACopyFile(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return 0;
  return CopyHostFile(HostPath(from), HostPath(to)) ? 1 : 0;
}

int ADeleteFile(const std::string& path) {
  if (path.empty()) return 0;
  return RemoveHostFile(HostPath(path)) ? 1 : 0;
}

int ARenameFile(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) return 0;
  const std::string hostFrom = HostPath(from);
  const std::string hostTo = HostPath(to);
  if (!PathExists(hostFrom)) return 0;
  // An existing target is never replaced; renaming onto the same object
  // (a change of letter case only) is allowed.
  if (PathExists(hostTo) && !SameObject(hostFrom, hostTo)) return 0;
  std::string finalTo = hostTo;
  if (SameObject(hostFrom, hostTo)) {
    // Keep the resolved directory but take the new name exactly as written.
    std::string written(to);
    std::replace(written.begin(), written.end(), '\\', '/');
    const size_t nameAt = written.rfind('/');
    const size_t dirAt = hostTo.rfind('/');
    finalTo = (dirAt == std::string::npos ? std::string() : hostTo.substr(0, dirAt + 1)) +
              (nameAt == std::string::npos ? written : written.substr(nameAt + 1));
  }
  return ::rename(hostFrom.c_str(), finalTo.c_str()) == 0 ? 1 : 0;
}

int AMakeDir(const std::string& path) {
  if (path.empty()) return 0;
  return ::mkdir(HostPath(path).c_str(), 0755) == 0 ? 1 : 0;
}

int ACopyDir(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty()) {
    SetLastErrorText("ERROR (ACopyDir): Missing parameter(s)");
    return 0;
  }
  AMakeDir(to);
  return CopyDirAt(from, to, HostPath(to), 0);
}

int ADeleteDir(const std::string& path) {
  if (path.empty()) {
    SetLastErrorText("ERROR (ADeleteDir): _rmdir system function failed");
    return 0;
  }
  return DeleteDirAt(path, 0);
}
