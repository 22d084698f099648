#pragma once
// Films (".avi") played from a link or a button. Once the application turns the
// film window on, PlayMedia shows a film in a small window of its own over
// the game: the film's pictures, scaled up with their aspect kept, and its
// sound; the window closes when the film ends, when the player closes it, or
// when another film starts. A film the machine cannot decode shows a short
// message in the window instead, and the window closes a moment later.
// Without the film window (tests, benchmarks) a film goes to the sound back
// end like any other media file, which does not play films.
// Films play in a process of their own, the program's own executable started
// again (see RunChildRoleIfAsked), which ends when the film's window closes:
// the media back end it loads (tens of megabytes that cannot be unloaded)
// goes with it. There the window that plays films is a module (see module.h);
// without the module, the window shows the message.

#include <string>

namespace platform {

void EnableFilmWindow(bool on);

// True when the file (by its name) is a film the window shows.
bool IsFilm(const std::string& path);

// Called first thing in main, before the application object exists. In a
// process the platform started for a role of its own (the film process),
// plays that role and ends the process; otherwise returns at once.
void RunChildRoleIfAsked();

// Starts the film process ahead (a moment later), which loads the film window's module and the
// media back end and opens the film (a game path; it is not played), so that
// the film opens without keeping the game waiting (loading them takes a good
// part of a second on a busy machine); the program does not wait for it.
// A film shown before that is done opens as soon as it is. Nothing when the
// film window is off or the process is already there.
void PrepareFilms(const std::string& gamePath);

// Ends the film process started ahead when no film plays (the page with the
// film was left); one playing ends with its window.
void ReleaseFilms();

// Opens the film window for a real file path, closing one still open. False
// when the film window is off or no window can be shown (no GUI application).
bool ShowFilm(const std::string& realPath);

// True from the moment a film is shown until its window closes.
bool FilmWindowOpen();
void CloseFilmWindow();

}  // namespace platform
