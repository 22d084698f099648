#pragma once
// Films (".avi") played from a link or a button. Once the application turns the
// film window on, PlayMedia shows a film in a small window of its own over
// the game: the film's pictures, scaled up with their aspect kept, and its
// sound; the window closes when the film ends, when the player closes it, or
// when another film starts. A film the machine cannot decode shows a short
// message in the window instead, and the window closes a moment later.
// Without the film window (tests, benchmarks) a film goes to the sound back
// end like any other media file, which does not play films.
// The window that plays films is a module loaded with the first film (see
// module.h); without the module, the window shows the message.

#include <string>

namespace platform {

void EnableFilmWindow(bool on);
bool FilmWindowEnabled();

// True when the file (by its name) is a film the window shows.
bool IsFilm(const std::string& path);

// Loads the film window's module and the media back end on a thread of its
// own, once, and opens the film there (a game path; it is not played), so
// that the first film opens without keeping the game waiting (loading them
// takes a good part of a second on a busy machine). A film shown before
// that is done opens as soon as it is, and the game goes on meanwhile.
// Nothing when the film window is off.
void PrepareFilms(const std::string& gamePath);

// Opens the film window for a real file path, closing one still open. False
// when the film window is off or no window can be shown (no GUI application).
bool ShowFilm(const std::string& realPath);

// True while the film window is shown, or a film waits for the back end to
// open it.
bool FilmWindowOpen();
void CloseFilmWindow();

}  // namespace platform
