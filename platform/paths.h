#pragma once
// Game paths. The game writes paths Windows-style ("\figuras\botao.bmp",
// "E:\sons\voz.wav", ProgramFolder() & "\dados.mdb") and names the
// same file with different letter case in different places. ResolvePath turns
// such a path into the real path on this (case-sensitive) file system:
//  - backslashes and slashes both separate components;
//  - a leading drive "C:" to "H:" is the folder drives/<letter> of the
//    program folder; a path that starts with a backslash (an empty media root
//    before "\anima\...") is on drive C:;
//  - a path starting with "/" is an absolute path of this system (the program
//    folder itself, as ProgramFolder() returns it); any other path is relative
//    to the program folder;
//  - every component is matched exactly first and otherwise without regard to
//    letter case (directory listings are cached; InvalidatePathCache drops them).
//
// Where the program folder cannot be written or is an installed copy (a
// program installed for every user of the machine), the files the game writes
// live in the user's own data folder instead; the game's paths stay those of
// the program folder. A file directly in the program folder is then an
// overlay of the two folders:
//  - ResolvePath finds it in the data folder when it is there, otherwise in
//    the program folder (what the program ships is read where it is);
//  - ResolvePathForWrite names it in the data folder, made on first use; a
//    file only the program folder has is first copied there (a database with
//    its write-ahead log), so the writes carry on from what it held.
// The media drives and the program folder's subfolders are never redirected.

#include <string>

namespace platform {

// The folder of the executable, without a trailing separator (the App.Path of
// the game). Tests point it elsewhere with SetProgramFolder; an empty folder
// returns to the executable's own.
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);

// The folder where this run writes its files, chosen on the first call (again
// after SetProgramFolder or SetApplicationName): the program folder when this
// run can write it and it is not an installed copy, otherwise
// $XDG_DATA_HOME/<application name> (by default ~/.local/share/<application
// name>), which is made when missing.
std::string DataFolder();

// The application's name, which names its data folder and its lock file
// whatever the executable file is called, and prefixes its log lines; and the
// name shown to the user (in messages, the sound output's name, the creator
// of its PDFs), the name itself when not given. Until they are set, the
// executable's file name stands for both.
void SetApplicationName(const std::string& name, const std::string& displayName = {});
std::string ApplicationName();
std::string ApplicationDisplayName();

// The file the install step leaves in the program folder it installs (the
// list of files it installed). A program folder holding it is an installed
// copy, shared by every account: each one, the administrator's included,
// writes in its own data folder.
inline constexpr const char* kInstallManifest = "install_manifest.txt";

// Why this run's data folder, where it is not the program folder, cannot be
// trusted with the user's files, in Portuguese; "" when it can. The folder
// is the user's own only when it is owned by the user and no one else may
// write in it (by its mode bits or its ACL), every folder above it is the
// user's or the system's and lets no one else rename what it holds, and no symbolic link on the way is
// someone else's. A folder refused so is never written: ResolvePathForWrite
// names nothing in it.
std::string DataFolderRefusal();

// The real path of an existing file or folder, or an empty string when there
// is none.
std::string ResolvePath(const std::string& gamePath);

// The real path under which a file may be written: the existing file when
// there is one (matched without regard to case), otherwise the resolved parent
// folder followed by the last component as given. Empty when the parent folder
// does not exist (a data folder that cannot be made is named all the same).
std::string ResolvePathForWrite(const std::string& gamePath);

// True when the path names an existing regular file.
bool FileExists(const std::string& gamePath);

// Forgets every cached directory listing (call after files were created or
// removed behind the layer's back).
void InvalidatePathCache();

// Case-insensitive comparison of two file-name components (ASCII letters and
// the accented Latin letters of UTF-8).
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

}  // namespace platform
