#pragma once
// Pictures: BMP, JPG, PNG (and ICO/CUR for pointer icons) loaded by game path.
//
// A Picture is a small value (a shared handle): copying it is cheap and two
// copies show the same image. Decoded images are cached by resolved path, and
// the scaled copies the screen draws are cached by path and size, so an
// animation that reloads the same frames every 100 ms neither decodes nor
// rescales them again. The cache keeps decoded images and scaled copies
// together within one budget of bytes, forgetting the least recently used.
//
// A missing or unreadable file gives an empty picture (nothing is drawn) and
// one line in the log; it never throws.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QImage;
class QSize;

namespace platform::forms {

class Picture {
public:
    Picture() = default;   // the empty picture

    bool IsEmpty() const { return !data_; }
    explicit operator bool() const { return !IsEmpty(); }

    // Size of the image in pixels (0 x 0 when empty).
    int PixelWidth() const;
    // True when every pixel of the picture is opaque (it has no alpha).
    bool IsOpaque() const;
    int PixelHeight() const;

    // The game path it was loaded from, as written by the game ("" when empty
    // or made in memory), and the real file it was read from.
    const std::string& GamePath() const;
    const std::string& ResolvedPath() const;

    // Same image (same load or copy of it).
    bool operator==(const Picture& o) const { return data_ == o.data_; }

    // Access for the layer and for tests.
    const QImage& Image() const;
    // The image scaled to w x h device pixels (cached by size; the image
    // itself when the size matches).
    QImage Scaled(int w, int h) const;
    // The cached copy of that size only; a null image when none is cached.
    QImage CachedScaled(int w, int h) const;
    static Picture FromImage(const QImage& img, const std::string& name = {});

    struct Data;

private:
    std::shared_ptr<const Data> data_;
    friend Picture LoadPicture(const std::string&);
};

// Loads a picture by game path ("E:\figuras\botao.bmp", ProgramFolder() &
// "\fundo.jpg"), matched without regard to case. An empty path gives the
// empty picture without logging (LoadPicture("") clears a picture).
Picture LoadPicture(const std::string& gamePath);

// A picture of a caption for a stretched control of width x height pixels:
// the text, broken between words and as large as fits, in black on a light
// grey ground with a darker frame, drawn at three times that size so that it
// stays sharp on a larger screen. What a control shows where its own picture
// could not be read. The same caption and size give the same picture.
Picture CaptionPicture(const std::string& caption, int width, int height);

// Starts decoding these pictures (game paths) on a worker thread, so that a
// screen about to open finds them ready: LoadPicture of one of them takes the
// decoded image instead of reading the file. Paths are resolved here, on the
// calling thread; a missing or unreadable file is left to LoadPicture, which
// reads it as usual. A prefetch already running is ended first.
void PrefetchPictures(const std::vector<std::string>& gamePaths);
// Ends the prefetch: stops the worker after the file it is reading, waits for
// it and drops the images nobody took. Called when the screen has loaded, and
// at exit.
void EndPrefetch();

// The pictures a form loads when it opens (game paths), as the form's own
// code names them: asked for when the change to that form begins.
using ScreenPictures = std::function<std::vector<std::string>()>;
void SetScreenPictures(const std::string& formName, ScreenPictures pictures);
// Starts the prefetch of the pictures of that form (PrefetchPictures), when
// it named them and is not loaded already: called as the change to it
// begins (a button's animation), which leaves the worker that time, or as
// soon as the screen before it is shown when that screen leads only there.
// A prefetch already made for that form is kept, not begun again.
void PrefetchScreen(const std::string& formName);
// Runs `work` on the GUI thread once the pictures being decoded ahead are
// all done (or the prefetch is ended), at once when none are: for work of
// its own aside (loading a module) that would otherwise slow them down, as
// the threads share the loading of libraries.
void AfterPrefetch(std::function<void()> work);

// Observer told of every LoadPicture call: the game path and whether a picture
// came of it. Tests use it to record which pictures a screen loads. Pass an
// empty function to remove it.
using PictureLoadObserver = std::function<void(const std::string& gamePath, bool loaded)>;
void SetPictureLoadObserver(PictureLoadObserver observer);

// Told of every LoadPicture of a path that gives no picture (a missing or
// unreadable file), after the load: the program may tell the player. Pass
// an empty function to remove it.
using PictureFailureHandler = std::function<void(const std::string& gamePath)>;
void SetPictureFailureHandler(PictureFailureHandler handler);

// Drops every cached image (after media files changed on disk; tests).
void ClearPictureCache();

// Bytes of decoded images and scaled copies the cache holds, and its budget.
std::size_t PictureCacheBytes();
std::size_t PictureCacheBudget();
void SetPictureCacheBudget(std::size_t bytes);

}  // namespace platform::forms
