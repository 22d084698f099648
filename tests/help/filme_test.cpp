// The film of a help page plays in a process of its own, loaded while the
// page is read: it goes when the player leaves the page or the help, and at
// the program's end, and it holds none of the program's open files.

#include <filesystem>
#include <fstream>
#include <functional>

#include "apoio.h"
#include "platform/shutdown.h"
#include "platform/video.h"
#include "shell/navegacao.h"

namespace help_test {
namespace {

using Janela = ::help::help;

// The children of this process not yet reaped.
std::vector<int> filhos() {
    std::vector<int> r;
    for (const auto& task : fs::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "children");
        for (int pid; in >> pid;) r.push_back(pid);
    }
    return r;
}

// Runs the event loop until `feito` holds, at most some seconds.
bool espera(const std::function<bool()>& feito) {
    for (int i = 0; i < 1500 && !feito(); ++i) t::RunFor(20);
    return feito();
}

// Whether the process holds a file of the program folder open.
bool segura_arquivo_do_programa(int pid) {
    std::error_code ec;
    const std::string pasta = fs::canonical(pasta_programa()).string();
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        const std::string alvo = fs::read_symlink(fd.path(), ec).string();
        if (!ec && alvo.rfind(pasta, 0) == 0) return true;
    }
    return false;
}

class FilmeTest : public HelpTest {
protected:
    void SetUp() override {
        HelpTest::SetUp();
        fonte("help.Txt",
              "###O Broto\r\nVeja ##o filme|\\anima\\broto.avi~ e ##a limpeza|A Limpeza~.\r\n"
              "###A Limpeza\r\nTirar o mato. ##Voltar|O Broto~.\r\n");
        shell::estado_telas().assunto_help = "Atividades";
        shell::estado_telas().tela_atual = "horta";
        platform::EnableFilmWindow(true);
    }
    void TearDown() override {
        platform::EnableFilmWindow(false);
        espera([] { return filhos().empty(); });
        HelpTest::TearDown();
    }
};

TEST_F(FilmeTest, OProcessoDoFilmeViveComAPaginaDoFilme) {
    pf::Forms::Show(help::nome_tela_help);
    auto& h = pf::Forms::Get<Janela>(help::nome_tela_help);
    ASSERT_TRUE(espera([] { return filhos().size() == 1; }));
    // The help's topic files are open here; the film's process lets go of
    // every file it was started with.
    ASSERT_TRUE(help::FilesOpen);
    const int pid = filhos().front();
    EXPECT_TRUE(espera([pid] { return !segura_arquivo_do_programa(pid); }));
    EXPECT_EQ(filhos(), std::vector<int>{pid});

    // A page without a film lets it go; back on the film's page it comes back.
    help::HyperlinkJump("A Limpeza", h.TextPictureBox, h.imagespicturebox, h.TextVScroll, h.timer_);
    EXPECT_TRUE(espera([] { return filhos().empty(); }));
    help::HyperlinkJump("O Broto", h.TextPictureBox, h.imagespicturebox, h.TextVScroll, h.timer_);
    ASSERT_TRUE(espera([] { return filhos().size() == 1; }));
    // "Retornar" leaves the help and the film's process with it.
    t::Click(h.theLabel1);
    EXPECT_TRUE(espera([] { return filhos().empty(); }));

    // The program's end ends it too, without waiting for anything else.
    pf::Forms::Show(help::nome_tela_help);
    ASSERT_TRUE(espera([] { return filhos().size() == 1; }));
    platform::Shutdown();
    EXPECT_TRUE(filhos().empty());
}

}  // namespace
}  // namespace help_test
