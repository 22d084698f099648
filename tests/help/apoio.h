#pragma once
// Common ground of the help tests (see tests/comum/ambiente.h): the pictures,
// sounds and documents the help sources name, recorded message boxes, and
// stand-ins for the screens help returns to.

#include <algorithm>
#include <cmath>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "help/help.h"
#include "help/texto_ansi.h"
#include "help/hipertexto.h"
#include "help/ligacoes.h"
#include "help/topico.h"
#include "tests/comum/ambiente.h"

namespace help_test {

namespace pf = platform::forms;
namespace t = platform::forms::test;
namespace fs = std::filesystem;
using comum::grava_bmp;
using comum::TelaVazia;

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
        const fs::path raiz = comum::nova_pasta_programa("help");
        const fs::path anima = comum::pasta_anima(raiz);
        for (const char* c : {"ALF", "chi", "POR", "AGR", "COU", "ESP", "qui", "RUC", "CEN", "BET", "NAB", "RAB",
                              "che", "tom", "PIM", "bgl", "REP", "bro", "FLO", "vgm", "PEP"})
            grava_bmp(anima / (std::string("az_") + c + ".bmp"));
        comum::grava_quadros(anima, "hortel", 1, 10);
        comum::grava_quadros(anima, "pla", 1, 10);
        comum::grava_quadros(anima, "sem", 0, 12);
        comum::grava_quadros(anima, "tra", 0, 12);
        comum::grava_quadros(anima, "rep", 0, 12);
        comum::grava_quadros(anima, "li", 0, 12);
        comum::grava_quadros(anima, "des", 0, 12);
        comum::grava_quadros(anima, "amo", 0, 11);
        comum::grava_quadros(anima, "cof", 0, 13);
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

// A form that holds a text box and a scroll bar as the help window does,
// for the layout tests.
class FormTexto : public pf::Form {
public:
    pf::PictureBox caixa{this, "caixa"};
    pf::VScrollBar rolagem{this, "rolagem"};
    pf::PictureBox figura{this, "figura"};
    pf::Timer relogio{this, "relogio"};
    int pinturas = 0;
    FormTexto() {
        SetClientSize(12000, 9000);
        caixa.Move(1950, 330, 9780, 8265);
        caixa.SetFont(pf::Font{"MS Sans Serif", 8.25, true});
        rolagem.Move(11745, 0, 255, 9000);
        figura.SetVisible(false);
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

class HelpTest : public comum::Ambiente {
protected:
    void SetUp() override {
        prepara(pasta_programa().string());
        help::anima_topico = 0;
        help::quadro_help = 0;
        mensagens.clear();
        observa_figuras();
        t::SetMsgBoxHook([this](const std::string& texto, int estilo, const std::string& titulo) {
            mensagens.push_back({texto, estilo, titulo});
            return static_cast<int>(pf::vbOK);
        });
        help::registra_formularios();
        telas_vazias({"INTRONEW", "conf", "trabalhando_na_horta", "controle_da_sementeira", "age"});
    }

    void TearDown() override {
        help::CloseHypertextFiles();
        t::SetMsgBoxHook({});
        comum::Ambiente::TearDown();
    }

    // Writes a help source into the program folder.
    static void fonte(const std::string& nome, const std::string& bytes) { grava_texto(pasta_programa() / nome, bytes); }

    // Compiles and loads a source of the program folder.
    static void carrega(const std::string& nome) {
        const std::string caminho = platform::ProgramFolder() + "\\" + nome;
        ASSERT_TRUE(help::CompileHypertextSource(caminho));
        ASSERT_TRUE(help::LoadHypertextFile(caminho));
    }

    std::vector<Mensagem> mensagens;
};

}  // namespace help_test
