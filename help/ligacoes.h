#pragma once
// Following a hot link of the help text, and the illustration of the topic
// a link leads to.
//
// A target whose fourth character from the end is "." names a media file:
// a full path when its second character is ":", otherwise a path under the
// media root (dir_anima). MID, WAV and AVI files are played; BMP and JPG
// pictures are shown in the middle of the window in place of the text. Any
// other target is a topic of the same help file, shown with its
// illustration. Link errors are told in a message box titled
// "Hyperlink Error".

#include <string>

#include "platform/forms/forms.h"

namespace help {

namespace pf = platform::forms;

// The animation of the topic illustration: its id (0 none), first frame and
// ticks of 100 ms to run; and the frame the running animation shows next.
extern int anima_topico;
extern int quadro_inicial;
extern int qt_quadros;
extern int quadro_help;

// A target that names a media file (a three-letter extension).
bool e_alvo_de_midia(const std::string& target);
// The game path of the media file a target names.
std::string caminho_de_midia(const std::string& target);

// Follows one link. Every link first stops the window's animation timer and
// clears anima_topico.
void HyperlinkJump(const std::string& target, pf::PictureBox& TextPictureBox, pf::PictureBox& imagespicturebox,
                   pf::VScrollBar& TextVScroll, pf::Timer& timer_);

// Shows the illustration of the topic in the picture box, in a column 1600
// twips wide at the window's left edge, and prepares the animation of an
// animated topic. A topic without illustration hides the box and stops the
// timer.
void mostra_ilustracao(const std::string& topic, pf::PictureBox& imagespicturebox, pf::Timer& timer_);

}  // namespace help
