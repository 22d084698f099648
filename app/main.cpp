// Brotalia: starts the program. Registers every screen by name, opens the
// full-screen window and shows the start-up form "fundo", which asks for the
// media drive (loading the menu's pictures and the sound module aside while
// it waits) and opens the main menu.

#include <malloc.h>
#include <sys/stat.h>

#include <QApplication>
#include <QMessageBox>

#include <string>

#include "app/telas.h"
#include "platform/db.h"
#include "platform/end_request.h"
#include "platform/files.h"
#include "platform/forms/forms.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/shutdown.h"
#include "platform/sound.h"
#include "platform/video.h"
#include "shell/dialogos.h"
#include "shell/registro.h"
#include "shell/saida.h"

namespace pf = platform::forms;

int main() {
    // The film process is this executable started again by the platform.
    platform::RunChildRoleIfAsked();
    // Pictures and their scaled copies are large blocks: a fixed threshold
    // keeps them in blocks of their own, given back to the system when the
    // picture cache lets them go, instead of a heap that only grows.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    // The game takes no command line: the application gets its name only.
    int argc = 1;
    char nome[] = "brotalia";
    char* argv[] = {nome, nullptr};
    // Every file the game makes (its databases with their logs, copies,
    // reports, the lock) is the player's alone.
    ::umask(077);
    QApplication app(argc, argv);
    platform::SetApplicationName(nome, "Brotalia");

    // A data folder that is not the player's alone (another account could
    // write there, or plant links to the player's files) is not used at all.
    if (const std::string motivo = platform::DataFolderRefusal(); !motivo.empty()) {
        const std::string aviso = "A pasta de dados do Brotalia, \"" + platform::DataFolder() +
                                  "\", não é só sua: " + motivo +
                                  ". Para proteger o seu jogo, nada foi gravado nela. Peça ajuda a quem cuida do "
                                  "computador.";
        platform::LogOnce("app.pasta_alheia", aviso);
        QMessageBox::warning(nullptr, QStringLiteral("Brotalia"), QString::fromStdString(aviso));
        return 1;
    }

    // One run per folder of saved games (the program folder, or the user's
    // own data folder where the program folder cannot be written): two runs
    // would interleave their saves. A second start says so and ends before
    // it reads or writes any file there.
    platform::FolderLock trava(platform::DataFolder());
    const auto travada = trava.Acquire();
    if (travada == platform::FolderLock::Result::HeldByAnother) {
        // Said in the game's own message dialog, on the game's screen, like
        // every message of the game; the run ends once it is closed.
        const std::string aviso =
            "O Brotalia já está aberto nesta conta. Feche primeiro o jogo que está aberto e depois abra-o de novo.";
        platform::LogOnce("app.ja_aberto", aviso);
        shell::registra_dialogos();
        pf::Screen::Open();
        shell::mostra_ok("Atenção", aviso);
        pf::Forms::Reset();
        return 1;
    }

    // What a copy cut short (a kill, a power cut) left behind, once no
    // other run can be making one.
    if (travada == platform::FolderLock::Result::Acquired)
        platform::RemoveLeftoverTemporaries(platform::DataFolder());

    // A logout, a shutdown or a signal saves the game and ends it.
    platform::OnEndRequest(shell::encerra_de_fora);

    // The databases' logs are written into their files at a quiet moment,
    // two seconds after a write with no input since, and never while the
    // player holds a button or drags: that write waits for the disk.
    platform::Workspace::Default().OnLogWritten([] {
        pf::Forms::WhenIdle(2000, [] { platform::Workspace::Default().EmptyLogs(); });
    });

    app::registra_telas();

    platform::EnableFilmWindow(true);

    pf::Screen::Open();
    pf::Forms::Show(shell::formulario_inicial);
    int resultado = 0;
    if (!pf::Forms::Ended()) resultado = app.exec();
    // A picture prefetch still running ends before the application does.
    pf::EndPrefetch();

    platform::CloseFilmWindow();
    pf::Forms::Reset();
    // Every thread still running (sound, songs, the print server's talks)
    // ends before the process runs its exit handlers.
    platform::Shutdown();
    // The databases are closed while the folder is still this run's.
    platform::Workspace::Default().CloseAll();
    return resultado;
}
