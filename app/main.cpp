// Brotalia: starts the program. Registers every screen by name, opens the
// full-screen window and shows the start-up form "fundo", which asks for the
// media drive and opens the main menu; the real sound output starts right
// after the main menu's first paint.

#include <malloc.h>

#include <QApplication>
#include <QMessageBox>

#include "agenda/registro.h"
#include "garden/trabalhando_na_horta.h"
#include "help/registro.h"
#include "minigame/registro.h"
#include "platform/db.h"
#include "platform/forms/forms.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/video.h"
#include "seedbed/registro.h"
#include "shell/registro.h"

namespace pf = platform::forms;

int main() {
    // Pictures and their scaled copies are large blocks: a fixed threshold
    // keeps them in blocks of their own, given back to the system when the
    // picture cache lets them go, instead of a heap that only grows.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    // The game takes no command line: the application gets its name only.
    int argc = 1;
    char nome[] = "brotalia";
    char* argv[] = {nome, nullptr};
    QApplication app(argc, argv);

    // One run per program folder: two runs would interleave their saves. A
    // second start says so and ends before it reads or writes any file there.
    platform::FolderLock trava(platform::ProgramFolder());
    if (trava.Acquire() == platform::FolderLock::Result::HeldByAnother) {
        const char* aviso = "O Brotalia já está aberto.";
        platform::LogOnce("app.ja_aberto", aviso);
        QMessageBox::warning(nullptr, QStringLiteral("Brotalia"), QString::fromUtf8(aviso));
        return 1;
    }

    shell::registra_formularios();
    garden::registra_formularios();
    seedbed::registra_formularios();
    agenda::registra_formularios();
    help::registra_formularios();
    minigame::registra_formularios();

    platform::EnableFilmWindow(true);
    // Sound is off until the player turns it on, so the main menu's first
    // picture does not wait for the sound output to open.
    pf::Screen::AfterFirstPaintOf("INTRONEW", [] { platform::SetSoundBackend(platform::MakeDefaultSoundBackend()); });

    pf::Screen::Open();
    pf::Forms::Show(shell::formulario_inicial);
    int resultado = 0;
    if (!pf::Forms::Ended()) resultado = app.exec();
    // A picture prefetch still running ends before the application does.
    pf::EndPrefetch();

    platform::CloseFilmWindow();
    pf::Forms::Reset();
    platform::ShutdownSound();
    // The databases are closed while the folder is still this run's.
    platform::Workspace::Default().CloseAll();
    return resultado;
}
