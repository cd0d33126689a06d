// Reading a profile file whole, and replacing it through a new file and a rename.
#include "profile/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace loadergui::profile {

namespace {

constexpr int kMaxLinks = 40;  // as many symbolic links as the system follows in one path

// The system's words for an error, as a sentence.
std::string Reason(int error) {
  return std::string(std::strerror(error)) + ".";
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at; a relative link is taken from its own folder.
bool FollowLinks(std::string& path, int& error) {
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return true;
    std::string target(static_cast<std::size_t>(status.st_size) + 256, '\0');
    ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length < 0) {
      error = errno;
      return false;
    }
    target.resize(static_cast<std::size_t>(length));
    path = !target.empty() && target[0] == '/' ? target : FolderOf(path) + "/" + target;
  }
  error = ELOOP;
  return false;
}

bool WriteAll(int file, std::string_view piece, int& error) {
  while (!piece.empty()) {
    ssize_t written = write(file, piece.data(), piece.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return false;
    }
    piece.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A new file of its own beside the target, named after it and hidden: another program saving
// the same file at the same moment gets another name.
int CreateBeside(const std::string& target, mode_t mode, std::string& name, int& error) {
  std::string folder = FolderOf(target);
  std::string base = target.substr(target.find_last_of('/') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "/." + base + "." + std::to_string(getpid()) + "-" + std::to_string(attempt);
    int file = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (file >= 0) return file;
    if (errno != EEXIST) break;
  }
  error = errno;
  return -1;
}

// The folder's entry of the renamed file reaches the disk too; a folder that cannot be synced
// costs only that.
void SyncFolder(const std::string& folder) {
  int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return;
  fsync(handle);
  close(handle);
}

}  // namespace

FileText ReadFileText(const std::string& path) {
  int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) {
    if (errno == ENOENT) return {};
    return {{}, Reason(errno)};
  }
  FileText result;
  struct stat status {};
  if (fstat(file, &status) != 0) {
    result.failure = Reason(errno);
  } else if (S_ISDIR(status.st_mode)) {
    result.failure = Reason(EISDIR);
  } else if (static_cast<unsigned long long>(status.st_size) > ProfileDocument::kMaxSize) {
    result.failure = Reason(EFBIG);
  } else {
    result.text.reserve(static_cast<std::size_t>(status.st_size));
    char block[65536];
    for (;;) {
      ssize_t count = read(file, block, sizeof block);
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) result.failure = Reason(errno);
      if (count <= 0) break;
      if (result.text.size() + static_cast<std::size_t>(count) > ProfileDocument::kMaxSize) {
        result.failure = Reason(EFBIG);
        break;
      }
      result.text.append(block, static_cast<std::size_t>(count));
    }
  }
  close(file);
  if (!result.failure.empty()) result.text.clear();
  return result;
}

std::string ReplaceFileText(const std::string& path, const ProfileDocument& document) {
  std::string target = path;
  int error = 0;
  if (!FollowLinks(target, error)) return Reason(error);

  // The new file takes the old one's permissions; a new settings file those of any new file.
  mode_t mode = 0666;
  bool existing = false;
  struct stat status {};
  if (stat(target.c_str(), &status) == 0) {
    existing = true;
    if (S_ISDIR(status.st_mode)) return Reason(EISDIR);
    // Write permission counts, even for the superuser: a file marked read-only stays as it is.
    if (access(target.c_str(), W_OK) != 0 || (status.st_mode & 0222) == 0) return Reason(EACCES);
    mode = status.st_mode & 07777;
  }

  std::string temporary;
  int file = CreateBeside(target, mode, temporary, error);
  if (file < 0) return Reason(error);
  bool written = true;
  document.writeTo([&](std::string_view piece) {
    if (written) written = WriteAll(file, piece, error);
  });
  // Each step runs only while the ones before it succeeded; the first failure is the reason.
  auto step = [&](const auto& call) {
    if (written && call() != 0) {
      written = false;
      error = errno;
    }
  };
  if (existing) step([&] { return fchmod(file, mode); });
  step([&] { return fsync(file); });
  if (close(file) != 0 && written) {
    written = false;
    error = errno;
  }
  step([&] { return rename(temporary.c_str(), target.c_str()); });
  if (!written) {
    unlink(temporary.c_str());
    return Reason(error);
  }
  SyncFolder(FolderOf(target));
  return {};
}

}  // namespace loadergui::profile
