#include "platform/paths.h"

#include "platform/files.h"
#include "platform/log.h"
#include "platform/text.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <climits>
#include <cstdlib>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <map>
#include <unordered_map>
#include <vector>

namespace fs = std::filesystem;

namespace platform {
namespace {

struct PathState {
    std::string programFolder;  // empty: the executable's folder
    std::string exeFolder;      // computed once
    std::string exeName;
    std::string appName;        // set by the application; empty: exeName
    std::string displayName;    // set by the application; empty: the name
    // Where this run writes: chosen once per program folder. Empty
    // dataFolder: the program folder itself.
    bool chosen = false;
    std::string dataFolder;
    // Directory -> (lower-cased name -> real name), filled on a case miss.
    std::unordered_map<std::string, std::map<std::string, std::string>> listings;
};

PathState& state() {
    static PathState s;
    return s;
}

const std::string& exeFolder() {
    auto& s = state();
    if (s.exeFolder.empty()) {
        std::error_code ec;
        fs::path exe = fs::read_symlink("/proc/self/exe", ec);
        s.exeFolder = ec ? fs::current_path().string() : exe.parent_path().string();
        s.exeName = ec ? std::string("programa") : exe.filename().string();
    }
    return s.exeFolder;
}

// The name of the data folder: the application's own name when it gave one,
// otherwise the executable's file name.
std::string dataFolderName() {
    exeFolder();
    const auto& s = state();
    return s.appName.empty() ? s.exeName : s.appName;
}

// True when the program folder is an installed copy: the install step leaves
// its manifest there. An installed copy is shared by every account of the
// machine, so no run writes it, not even one that could.
bool installedCopy(const std::string& program) {
    return ::access((program + "/" + kInstallManifest).c_str(), F_OK) == 0;
}

// The user's data folder for this program, or empty when the user has no
// home to keep it in.
std::string userDataFolder() {
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') {  // a relative value is to be ignored
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw ? pw->pw_dir : nullptr;
        }
        if (!home || !*home) return {};
        base = std::string(home) + "/.local/share";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/" + dataFolderName();
}

void choose() {
    auto& s = state();
    if (s.chosen) return;
    s.chosen = true;
    s.dataFolder.clear();
    const std::string program = ProgramFolder();
    // Only an installed copy or a folder that exists and refuses this user's
    // writes is replaced; a missing one is left to fail where it is used.
    if (!installedCopy(program) &&
        (::access(program.c_str(), W_OK) == 0 || (errno != EACCES && errno != EROFS && errno != EPERM)))
        return;
    s.dataFolder = userDataFolder();
}

// A group that is the user's alone: the user's own group with no other
// member named (the group a user gets of the same name).
bool privateGroup(gid_t gid) {
    if (gid != ::getegid()) return false;
    const group* g = ::getgrgid(gid);
    const passwd* pw = ::getpwuid(::geteuid());
    if (!g || !pw) return false;
    for (char** m = g->gr_mem; *m; ++m)
        if (std::string(*m) != pw->pw_name) return false;
    return true;
}

// Whether accounts other than this user may write in the folder `path`
// (whose status is `st`): by its mode bits, or, where it has an access ACL,
// by that list. The list is read from the file system's attribute in the
// kernel's format: a 4-byte version (2), then entries of a 2-byte tag, a
// 2-byte permission set and a 4-byte account or group id, little-endian.
// Named users and groups and the owning group are bound by the mask entry.
// An ACL that cannot be read or is not understood counts as letting others in.
bool othersMayWrite(const std::string& path, const struct stat& st) {
    unsigned char buf[4 + 8 * 64];
    const ssize_t n = ::lgetxattr(path.c_str(), "system.posix_acl_access", buf, sizeof buf);
    if (n < 0 && (errno == ENODATA || errno == ENOTSUP))
        return (st.st_mode & S_IWOTH) || ((st.st_mode & S_IWGRP) && !privateGroup(st.st_gid));
    if (n < 4 || (n - 4) % 8 != 0) return true;
    auto u16 = [&](size_t at) { return static_cast<unsigned>(buf[at] | (buf[at + 1] << 8)); };
    auto u32 = [&](size_t at) { return static_cast<uint32_t>(u16(at) | (u16(at + 2) << 16)); };
    if (u32(0) != 2) return true;
    enum : unsigned { kUserObj = 0x01, kUser = 0x02, kGroupObj = 0x04, kGroup = 0x08, kMask = 0x10, kOther = 0x20 };
    constexpr unsigned kWrite = 0x02;
    unsigned mask = 0x07;
    for (size_t at = 4; at < static_cast<size_t>(n); at += 8)
        if (u16(at) == kMask) mask = u16(at + 2);
    for (size_t at = 4; at < static_cast<size_t>(n); at += 8) {
        const unsigned tag = u16(at), perm = u16(at + 2);
        const uint32_t id = u32(at + 4);
        const bool writes = perm & kWrite;
        const bool masked = writes && (mask & kWrite);
        if ((tag == kUser && masked && id != ::geteuid()) || (tag == kGroupObj && masked && !privateGroup(st.st_gid)) ||
            (tag == kGroup && masked && !privateGroup(id)) || (tag == kOther && writes))
            return true;
        if (tag != kUserObj && tag != kUser && tag != kGroupObj && tag != kGroup && tag != kMask && tag != kOther)
            return true;
    }
    return false;
}

// Why `folder` is not the user's own (see DataFolderRefusal), walking it
// from the root as the system does, each link followed after its owner is
// checked. "" also where a part of it does not exist yet: what is missing is
// made by this run, inside folders already checked.
std::string notUsersOwn(const std::string& folder) {
    const uid_t me = ::geteuid();
    auto parts = [](const std::string& p) {
        std::vector<std::string> r;
        std::string c;
        for (char ch : p + "/") {
            if (ch != '/') {
                c += ch;
            } else if (!c.empty() && c != ".") {
                r.push_back(c);
                c.clear();
            } else {
                c.clear();
            }
        }
        return r;
    };
    std::vector<std::string> pending = parts(folder);  // in reverse: next at the back
    std::reverse(pending.begin(), pending.end());
    std::string cur;
    for (int links = 0; !pending.empty();) {
        const std::string c = pending.back();
        pending.pop_back();
        if (c == "..") {
            cur = cur.substr(0, cur.find_last_of('/') == std::string::npos ? 0 : cur.find_last_of('/'));
            continue;
        }
        const std::string next = cur + "/" + c;
        struct stat st;
        if (::lstat(next.c_str(), &st) != 0) return {};
        if (S_ISLNK(st.st_mode)) {
            if (st.st_uid != me && st.st_uid != 0)
                return "o caminho passa por um link de outro usuário (\"" + next + "\")";
            if (++links > 40) return "o caminho tem links demais";
            std::string target(PATH_MAX, '\0');
            const ssize_t n = ::readlink(next.c_str(), target.data(), target.size());
            if (n <= 0) return "o link \"" + next + "\" não pode ser lido";
            target.resize(static_cast<size_t>(n));
            if (target[0] == '/') cur.clear();
            auto more = parts(target);
            pending.insert(pending.end(), more.rbegin(), more.rend());
            continue;
        }
        if (!S_ISDIR(st.st_mode)) return {};
        const bool last = pending.empty();
        if (st.st_uid != me && (last || st.st_uid != 0)) return "a pasta \"" + next + "\" é de outro usuário";
        const bool othersWrite = othersMayWrite(next, st);
        // A shared folder that keeps each one's names to their owner (the
        // sticky bit, as /tmp) may lie above; the data folder itself may not
        // let anyone else in.
        if (othersWrite && (last || !(st.st_mode & S_ISVTX)))
            return "outros usuários podem gravar na pasta \"" + next + "\"";
        cur = next;
    }
    return {};
}

// Makes the data folder and the folders above it that are missing, private
// to the user as the data folders of a home are. False, making nothing,
// where the folder is not the user's own.
bool makeDataFolder() {
    const std::string& d = state().dataFolder;
    if (!notUsersOwn(d).empty()) return false;
    struct stat st;
    if (::stat(d.c_str(), &st) == 0) return S_ISDIR(st.st_mode) && notUsersOwn(d).empty();
    for (size_t pos = 1; pos != std::string::npos;) {
        pos = d.find('/', pos + 1);
        const std::string part = d.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return ::stat(d.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && notUsersOwn(d).empty();
}

// Copies a file of the program folder into the data folder under the same
// name, made whole or not at all (see files.h). A database's write-ahead log
// goes with it, or its last changes would be lost; a log left there without
// its file is from an interrupted copy and goes first.
bool seed(const std::string& from, const std::string& to) {
    const std::string log = from + "-wal", toLog = to + "-wal";
    ::unlink(toLog.c_str());
    try {
        if (::access(log.c_str(), F_OK) == 0 && !CopyFileWhole(log, toLog)) return false;
        if (CopyFileWhole(from, to)) return true;
    } catch (const std::exception&) {
    }
    ::unlink(toLog.c_str());
    return false;
}

bool exists(const std::string& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0;
}

const std::map<std::string, std::string>& listing(const std::string& dir) {
    auto& cache = state().listings;
    auto it = cache.find(dir);
    if (it != cache.end()) return it->second;
    std::map<std::string, std::string> names;
    std::error_code ec;
    for (fs::directory_iterator d(dir.empty() ? "/" : dir, ec), end; !ec && d != end; d.increment(ec)) {
        std::string name = d->path().filename().string();
        // Among names that differ only in case keep the smallest, so the
        // choice does not depend on the order of the listing.
        auto [pos, added] = names.emplace(LCase(name), name);
        if (!added && name < pos->second) pos->second = name;
    }
    return cache.emplace(dir, std::move(names)).first->second;
}

// Finds the real name of component `name` inside real folder `dir`.
bool step(std::string& dir, const std::string& name) {
    std::string candidate = dir + "/" + name;
    if (exists(candidate)) {
        dir = std::move(candidate);
        return true;
    }
    const auto& names = listing(dir);
    auto it = names.find(LCase(name));
    if (it == names.end()) return false;
    dir += "/" + it->second;
    return true;
}

// Splits a game path into a real base folder and the components below it.
bool split(const std::string& gamePath, std::string& base, std::vector<std::string>& comps) {
    comps.clear();
    std::string rest;
    if (gamePath.size() >= 2 && gamePath[1] == ':' &&
        std::isalpha(static_cast<unsigned char>(gamePath[0]))) {
        char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(gamePath[0])));
        if (letter < 'C' || letter > 'H') return false;
        base = ProgramFolder();
        comps = {"drives", std::string(1, letter)};
        rest = gamePath.substr(2);
    } else if (!gamePath.empty() && gamePath[0] == '\\') {
        base = ProgramFolder();
        comps = {"drives", "C"};
        rest = gamePath;
    } else if (!gamePath.empty() && gamePath[0] == '/') {
        base = "";  // the root: components are appended as "/" + name
        rest = gamePath;
    } else {
        base = ProgramFolder();
        rest = gamePath;
    }
    std::string comp;
    for (char c : rest + "/") {
        if (c == '\\' || c == '/') {
            if (!comp.empty() && comp != ".") comps.push_back(comp);
            comp.clear();
        } else {
            comp += c;
        }
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (base == "/") base.clear();
    return true;
}

std::string join(const std::string& base, const std::vector<std::string>& comps, size_t n) {
    std::string p = base;
    for (size_t i = 0; i < n; ++i) p += "/" + comps[i];
    return p.empty() ? "/" : p;
}

// True when the split path names a file directly in the program folder and
// this run writes elsewhere.
bool redirected(const std::string& base, const std::vector<std::string>& comps) {
    choose();
    if (state().dataFolder.empty() || comps.empty()) return false;
    std::string programBase;
    std::vector<std::string> programComps;
    split(ProgramFolder(), programBase, programComps);
    return join(base, comps, comps.size() - 1) == join(programBase, programComps, programComps.size());
}

}  // namespace

std::string ProgramFolder() {
    const auto& s = state();
    return s.programFolder.empty() ? exeFolder() : s.programFolder;
}

void SetProgramFolder(const std::string& folder) {
    auto& s = state();
    s.programFolder = folder;
    while (s.programFolder.size() > 1 && s.programFolder.back() == '/') s.programFolder.pop_back();
    s.listings.clear();
    s.chosen = false;
}

void SetApplicationName(const std::string& name, const std::string& displayName) {
    auto& s = state();
    s.appName = name;
    s.displayName = displayName;
    s.chosen = false;
    SetLogName(ApplicationName());
}

std::string ApplicationName() { return dataFolderName(); }

std::string ApplicationDisplayName() {
    const auto& s = state();
    return s.displayName.empty() ? ApplicationName() : s.displayName;
}

std::string DataFolder() {
    choose();
    const auto& s = state();
    if (s.dataFolder.empty()) return ProgramFolder();
    makeDataFolder();
    return s.dataFolder;
}

std::string DataFolderRefusal() {
    choose();
    const auto& s = state();
    if (s.dataFolder.empty()) return {};
    return notUsersOwn(s.dataFolder);
}

std::string ResolvePath(const std::string& gamePath) {
    std::string base;
    std::vector<std::string> comps;
    if (gamePath.empty() || !split(gamePath, base, comps)) return {};
    if (redirected(base, comps)) {
        std::string inData = state().dataFolder;
        if (step(inData, comps.back())) return inData;
    }
    std::string exact = join(base, comps, comps.size());
    if (exists(exact)) return exact;
    std::string cur = base;
    for (const auto& c : comps)
        if (!step(cur, c)) return {};
    return cur.empty() ? "/" : cur;
}

std::string ResolvePathForWrite(const std::string& gamePath) {
    std::string base;
    std::vector<std::string> comps;
    if (gamePath.empty() || !split(gamePath, base, comps) || comps.empty()) return {};
    if (redirected(base, comps)) {
        const std::string& data = state().dataFolder;
        // A data folder that is not the user's own is never written; one
        // that cannot be made is named all the same, so that the write that
        // fails names the folder the user has to look at.
        if (!notUsersOwn(data).empty()) return {};
        if (!makeDataFolder()) return data + "/" + comps.back();
        std::string cur = data;
        if (step(cur, comps.back())) return cur;
        state().listings.erase(data);
        std::string shipped = ProgramFolder();
        if (!step(shipped, comps.back())) return data + "/" + comps.back();
        struct stat st;
        if (::stat(shipped.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
        const std::string copy = data + "/" + shipped.substr(shipped.find_last_of('/') + 1);
        return seed(shipped, copy) ? copy : std::string();
    }
    std::string cur = base;
    for (size_t i = 0; i + 1 < comps.size(); ++i)
        if (!step(cur, comps[i])) return {};
    struct stat st;
    if (::stat((cur.empty() ? "/" : cur).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
    std::string parent = cur;
    if (step(cur, comps.back())) return cur;
    // The file is about to be created: its folder's listing becomes stale.
    state().listings.erase(parent);
    return parent + "/" + comps.back();
}

bool FileExists(const std::string& gamePath) {
    std::string real = ResolvePath(gamePath);
    struct stat st;
    return !real.empty() && ::stat(real.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void InvalidatePathCache() { state().listings.clear(); }

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return a == b || LCase(a) == LCase(b);
}

}  // namespace platform
