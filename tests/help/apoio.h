#pragma once
// Common ground of the help tests: a program folder of our own per test
// process (parallel runs never share one) with small pictures on the media
// drive E:, a clean model, a recording sound back end, recorded message boxes
// and picture loads, and stand-ins for the screens help returns to.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "help/help.h"
#include "help/texto_ansi.h"
#include "help/hipertexto.h"
#include "help/ligacoes.h"
#include "help/topico.h"
#include "model/modelo.h"
#include "platform/clock.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/forms/testing.h"

namespace help_test {

namespace pf = platform::forms;
namespace t = platform::forms::test;
namespace fs = std::filesystem;

// A 1 x 1 24-bit bitmap.
inline void grava_bmp(const fs::path& p) {
    static const unsigned char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0,
                                          0,   0,   1,  0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B,
                                          0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0};
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
}

inline void grava_texto(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

inline std::string le_arquivo(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline const fs::path& pasta_programa() {
    static const fs::path pasta = [] {
        const fs::path raiz = fs::temp_directory_path() / ("brotalia-help-" + std::to_string(::getpid()));
        fs::remove_all(raiz);
        const fs::path anima = raiz / "drives" / "E" / "anima";
        fs::create_directories(anima);
        for (const char* c : {"ALF", "chi", "POR", "AGR", "COU", "ESP", "qui", "RUC", "CEN", "BET", "NAB", "RAB",
                              "che", "tom", "PIM", "bgl", "REP", "bro", "FLO", "vgm", "PEP"})
            grava_bmp(anima / (std::string("az_") + c + ".bmp"));
        auto quadros = [&](const std::string& prefixo, int primeiro, int ultimo) {
            for (int n = primeiro; n <= ultimo; ++n)
                grava_bmp(anima / (prefixo + (n < 10 ? "0" : "") + std::to_string(n) + ".bmp"));
        };
        quadros("hortel", 1, 10);
        quadros("pla", 1, 10);
        quadros("sem", 0, 12);
        quadros("tra", 0, 12);
        quadros("rep", 0, 12);
        quadros("li", 0, 12);
        quadros("des", 0, 12);
        quadros("amo", 0, 11);
        quadros("cof", 0, 13);
        for (int d = 0; d <= 3; ++d) {
            grava_bmp(anima / ("nhoca" + std::to_string(d) + "p.bmp"));
            grava_bmp(anima / ("nh" + std::to_string(d) + "p.bmp"));
        }
        for (int w = 1; w <= 7; ++w) grava_bmp(anima / ("seman0" + std::to_string(w) + ".bmp"));
        for (const char* f : {"planet01.bmp", "sa00.bmp", "hortelin.bmp", "carrin3.bmp", "Parah.JPG", "dica.Jpg"})
            grava_bmp(anima / f);
        grava_texto(anima / "toque.wav", "RIFF");
        grava_texto(anima / "musica.MID", "MThd");
        grava_texto(anima / "texto.doc", "doc");
        for (const char* f : {"agenda.bmp", "trab3.bmp", "semenc.bmp", "back_in.jpg", "textura.jpg"})
            grava_bmp(raiz / f);
        return raiz;
    }();
    return pasta;
}

// A screen help returns to; it only has to exist.
class TelaVazia : public pf::Form {};

// A form that holds a text box and a scroll bar as the help window does,
// for the layout tests.
class FormTexto : public pf::Form {
public:
    pf::PictureBox caixa{this, "caixa"};
    pf::VScrollBar rolagem{this, "rolagem"};
    int pinturas = 0;
    FormTexto() {
        SetClientSize(12000, 9000);
        caixa.Move(1950, 330, 9780, 8265);
        caixa.SetFont(pf::Font{"MS Sans Serif", 8.25, true});
        rolagem.Move(11745, 0, 255, 9000);
        caixa.OnPaint = [this] {
            ++pinturas;
            help::PaintTopic(caixa, help::TopLine, help::LineCount);
        };
        rolagem.OnChange = [this] {
            help::TopLine = rolagem.Value();
            caixa.Refresh();
        };
    }
};

struct Mensagem {
    std::string texto;
    int estilo;
    std::string titulo;
};

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        t::ResetAll();
        platform::SetLogToStderr(false);
        platform::SetProgramFolder(pasta_programa().string());
        platform::InvalidatePathCache();
        model::reinicia_estado();
        sons = &platform::UseRecordingSoundBackend();
        auto& s = model::sessao();
        s.dir_anima = "E:";
        s.dir_som = "E:\\audio\\caipira";
        help::anima_topico = 0;
        help::quadro_help = 0;
        figuras.clear();
        mensagens.clear();
        pf::SetPictureLoadObserver([this](const std::string& p, bool) { figuras.push_back(p); });
        t::SetMsgBoxHook([this](const std::string& texto, int estilo, const std::string& titulo) {
            mensagens.push_back({texto, estilo, titulo});
            return static_cast<int>(pf::vbOK);
        });
        help::registra_formularios();
        for (const char* nome : {"INTRONEW", "conf", "trabalhando_na_horta", "controle_da_sementeira", "age"})
            pf::Forms::Register<TelaVazia>(nome);
    }

    void TearDown() override {
        help::CloseHypertextFiles();
        t::SetMsgBoxHook({});
        pf::SetPictureLoadObserver({});
        platform::SetNow(std::nullopt);
        t::ResetAll();
        platform::SetProgramFolder("");
    }

    // Writes a help source into the program folder.
    static void fonte(const std::string& nome, const std::string& bytes) { grava_texto(pasta_programa() / nome, bytes); }

    // Compiles and loads a source of the program folder.
    static void carrega(const std::string& nome) {
        const std::string caminho = platform::ProgramFolder() + "\\" + nome;
        ASSERT_TRUE(help::CompileHypertextSource(caminho));
        ASSERT_TRUE(help::LoadHypertextFile(caminho));
    }

    // Pictures loaded since the last call, with the media root cut off.
    std::vector<std::string> novas_figuras() {
        std::vector<std::string> r;
        for (auto& f : figuras) r.push_back(f.rfind("E:", 0) == 0 ? f.substr(2) : f);
        figuras.clear();
        return r;
    }

    platform::RecordingSoundBackend* sons = nullptr;
    std::vector<std::string> figuras;
    std::vector<Mensagem> mensagens;
};

}  // namespace help_test
