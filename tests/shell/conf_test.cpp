#include "apoio.h"
#include "shell/conf.h"
#include "shell/navegacao.h"

namespace {

using namespace apoio;

class Opcoes : public Ambiente {
protected:
    shell::conf& abre() {
        pf::Forms::Show("conf");
        t::ProcessEvents();
        return pf::Forms::Get<shell::conf>("conf");
    }
    void retorna(shell::conf& c) {
        t::Click(c.Label1);
        t::ProcessEvents();
    }
};

TEST_F(Opcoes, CadaVisitaComecaNoPortuguesCorreto) {
    auto& s = model::sessao();
    auto& c = abre();
    t::Click(c.Check1(2));  // the voice on
    t::Click(c.Option1(0));
    EXPECT_EQ(s.dir_som, "C:\\audio\\caipira");
    retorna(c);
    EXPECT_EQ(s.som_entrada_feira, platform::ProgramFolder() + "\\feirafim.wav");

    auto& d = abre();
    EXPECT_TRUE(d.Option1(1).Value());
    EXPECT_EQ(s.dir_som, "C:\\audio\\correto");
    retorna(d);
    EXPECT_EQ(s.dir_som, "C:\\audio\\correto");
    EXPECT_EQ(s.som_entrada_horta, platform::ProgramFolder() + "\\htfimc.wav");
    EXPECT_EQ(s.som_entrada_agenda, platform::ProgramFolder() + "\\agfimc.wav");
    EXPECT_EQ(s.som_entrada_sem, platform::ProgramFolder() + "\\sefimc.wav");
}

TEST_F(Opcoes, TrilhaMudaSoNoRetornarVozMudaNaHora) {
    auto& s = model::sessao();
    auto& c = abre();
    t::Click(c.Check1(1));
    t::Click(c.Check1(2));
    EXPECT_FALSE(s.trilha_fundo);
    EXPECT_TRUE(s.som_ligado);
    t::Click(c.Labelgame);  // to the game and back
    t::ProcessEvents();
    EXPECT_EQ(s.tipo_tempo, "1");
    EXPECT_EQ(s.tipo_cliques, "2");
    ASSERT_TRUE(pf::Forms::IsLoaded("gamedio"));
    pf::Forms::Unload("gamedio");
    pf::Forms::Show("conf");
    t::ProcessEvents();
    EXPECT_EQ(c.Check1(1).Value(), pf::vbUnchecked);
    EXPECT_EQ(c.Check1(2).Value(), pf::vbChecked);
    EXPECT_EQ(c.Labelgame.MousePointer(), pf::vbCustom);
}

TEST_F(Opcoes, RetornarAplicaAsCaixas) {
    struct Caso {
        bool trilha, voz;
        bool define_pasta;
    };
    for (Caso k : {Caso{true, false, true}, Caso{false, true, true}, Caso{false, false, false}}) {
        SCOPED_TRACE(std::to_string(k.trilha) + std::to_string(k.voz));
        reinicia_formularios();
        auto& s = model::sessao();
        s.trilha_fundo = s.som_ligado = false;
        s.som_entrada_feira = "antiga";
        auto& c = abre();
        s.dir_som = "antiga";
        if (k.trilha) t::Click(c.Check1(1));
        if (k.voz) t::Click(c.Check1(2));
        s.dir_som = "antiga";
        retorna(c);
        EXPECT_EQ(s.trilha_fundo, k.trilha);
        EXPECT_EQ(s.som_ligado, k.voz);
        EXPECT_EQ(s.dir_som, k.define_pasta ? "C:\\audio\\correto" : "antiga");
        EXPECT_EQ(s.som_entrada_feira, k.define_pasta ? platform::ProgramFolder() + "\\fefimc.wav" : "antiga");
        EXPECT_TRUE(pf::Forms::IsLoaded("INTRONEW"));
        EXPECT_FALSE(pf::Forms::IsLoaded("conf"));
    }
}

TEST_F(Opcoes, UnidadeEscolhidaOuDigitada) {
    struct Caso {
        const char* digitado;  // nullptr: chosen from the list
        int lista;
        int gravado;
        const char* raiz;
    };
    const Caso casos[] = {
        {nullptr, 2, 2, "E:"},
        {"e", -1, 2, "E:"},
        {"xyz", -1, 3, "F:"},  // names no drive: the stored drive stays
    };
    for (const Caso& k : casos) {
        reinicia_formularios();
        grava_semana(3, dt(2026, 12, 1));
        auto& c = abre();
        EXPECT_EQ(c.Combo1.ListIndex(), 3);
        if (k.digitado) {
            c.Combo1.SetListIndex(-1);
            c.Combo1.SetText(k.digitado);
        } else {
            c.Combo1.SetListIndex(k.lista);
        }
        retorna(c);
        EXPECT_EQ(le_semana("cd").ToInt(), k.gravado);
        EXPECT_EQ(model::sessao().dir_anima, k.raiz);
    }
}

TEST_F(Opcoes, AjudaAbreNoSetimoTique) {
    auto& s = shell::estado_telas();
    auto& c = abre();
    limpa_figuras();
    t::Click(c.interroga);
    t::TickTimer(c.timer_);
    t::TickTimer(c.timer_);
    t::Click(c.interroga);  // starts again from the first frame
    for (int i = 0; i < 6; ++i) t::TickTimer(c.timer_);
    EXPECT_FALSE(pf::Forms::IsLoaded("help"));
    t::TickTimer(c.timer_);
    t::ProcessEvents();
    EXPECT_TRUE(pf::Forms::IsLoaded("help"));
    EXPECT_TRUE(pf::Forms::IsLoaded("conf"));
    EXPECT_EQ(s.tela_atual, "PGM");
    EXPECT_EQ(s.assunto_help, "PGM");
    EXPECT_TRUE(sons().empty());
    const std::vector<std::string> esperado = {"int05", "int04", "int05", "int04", "int03",
                                               "int02", "int01", "int00"};
    std::vector<std::string> vistos;
    for (const auto& f : figuras) vistos.push_back(f.substr(f.size() - 9, 5));
    EXPECT_EQ(vistos, esperado);
    EXPECT_EQ(c.timer_.Interval(), 0);
}

TEST_F(Opcoes, TextoDigitadoNomeiaUnidade) {
    EXPECT_EQ(shell::indice_unidade_digitada(" h: "), 5);
    EXPECT_EQ(shell::indice_unidade_digitada("C"), 0);
    EXPECT_EQ(shell::indice_unidade_digitada("I:"), -1);
    EXPECT_EQ(shell::indice_unidade_digitada(""), -1);
}

}  // namespace
