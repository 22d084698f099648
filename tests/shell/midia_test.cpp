// A drive without the game's pictures is refused by the start-up drive
// dialog and by the options screen: the player is told which drives hold
// them, and the drive chosen before stays.

#include <QRectF>

#include "apoio.h"
#include "tests/comum/ambiente.h"
#include "shell/conf.h"
#include "shell/fundo.h"
#include "shell/intronew.h"

namespace {

using namespace apoio;

class Midia : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        // Only C: and E: hold the game; D: is a drive link to an empty disc.
        for (const char* u : {"D", "F", "G", "H"}) std::filesystem::remove_all(pasta / "drives" / u);
        std::filesystem::create_directories(pasta / "vazio");
        std::filesystem::create_directory_symlink(pasta / "vazio", pasta / "drives" / "D");
    }
    std::vector<std::string> avisos() const {
        std::vector<std::string> r;
        for (const auto& d : dialogos)
            if (d.nome == "ok") r.push_back(d.legenda + " | " + d.texto);
        return r;
    }
};

TEST_F(Midia, DialogoDeInicioRecusaUnidadeSemMidia) {
    grava_semana(2, dt(2026, 12, 9, 9));
    int lista_apos_recusa = -2;
    bool ficou_aberto = false;
    outro_modal = [&](pf::Form& f) {
        if (f.Name() != "Conf_cd") return;
        auto& d = static_cast<shell::Conf_cd&>(f);
        d.Combo1.SetListIndex(1);  // D:
        t::Click(d.Command1);
        ficou_aberto = pf::Forms::IsLoaded("Conf_cd") && !pf::Forms::IsLoaded("INTRONEW");
        lista_apos_recusa = d.Combo1.ListIndex();
        t::Click(d.Command1);  // the stored E: again
    };
    pf::Forms::Show("fundo");
    t::ProcessEvents();
    EXPECT_TRUE(ficou_aberto);
    EXPECT_EQ(lista_apos_recusa, 2);
    const std::vector<std::string> esperado = {
        "Configuração do CD | A unidade D: não tem os arquivos do jogo (pasta \\anima\\). Escolha uma destas unidades: C:, E:"};
    EXPECT_EQ(avisos(), esperado);
    EXPECT_EQ(le_semana("cd").ToInt(), 2);
    EXPECT_EQ(model::sessao().dir_anima, "E:");
    EXPECT_TRUE(pf::Forms::IsLoaded("INTRONEW"));
}

TEST_F(Midia, RecusadaAUnidadeGuardadaOEnterTomaAUnidadeProposta) {
    grava_semana(1, dt(2026, 12, 9, 9));  // D:, whose disc is gone
    int lista_apos_recusa = -2;
    outro_modal = [&](pf::Form& f) {
        if (f.Name() != "Conf_cd") return;
        t::PressQtKey(Qt::Key_Return);
        lista_apos_recusa = static_cast<shell::Conf_cd&>(f).Combo1.ListIndex();
        t::PressQtKey(Qt::Key_Return);
    };
    pf::Forms::Show("fundo");
    t::ProcessEvents();
    EXPECT_EQ(lista_apos_recusa, 0) << "C:, the first drive the notice names";
    EXPECT_EQ(avisos().size(), 1u);
    EXPECT_EQ(le_semana("cd").ToInt(), 0);
    EXPECT_EQ(model::sessao().dir_anima, "C:");
    EXPECT_TRUE(pf::Forms::IsLoaded("INTRONEW"));
}

TEST_F(Midia, DiscoRetiradoDuranteOJogoEAvisadoUmaVez) {
    model::sessao().dir_anima = "E:";
    EXPECT_TRUE(pf::LoadPicture("E:\\anima\\nao_ha.bmp").IsEmpty());
    EXPECT_TRUE(avisos().empty()) << "one picture missing is not the disc gone";
    model::sessao().dir_anima = "D:";  // its disc is empty
    pf::LoadPicture("D:\\anima\\hort00.bmp");
    pf::LoadPicture("D:\\anima\\planet01.bmp");
    t::ProcessEvents();
    const std::vector<std::string> esperado = {
        "Disco retirado | As figuras do jogo não puderam ser lidas da unidade D:. O disco parece ter sido retirado. "
        "Ponha o disco de volta na unidade, ou escolha outra unidade em \"Opções\", na tela de Introdução."};
    EXPECT_EQ(avisos(), esperado);
}

TEST_F(Midia, DiscoLidoERetiradoEAvisadoComOuSemOPontoDeMontagem) {
    // A disc lists its names in capitals. G: is a link to the mount point
    // "cdrom", which stays, empty, when the disc is taken out; F: is a drive
    // folder that goes with its disc.
    const auto cdrom = pasta / "cdrom";
    std::filesystem::create_directory_symlink(cdrom, pasta / "drives" / "G");
    for (const char u : {'G', 'F'}) {
        const auto disco = u == 'G' ? cdrom : pasta / "drives" / "F";
        apoio::grava_figuras_do_menu(disco);
        std::filesystem::rename(disco / "anima", disco / "ANIMA");
        for (const auto& f : std::filesystem::directory_iterator(disco / "ANIMA")) {
            std::string nome = f.path().filename().string();
            for (char& c : nome) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            std::filesystem::rename(f.path(), disco / "ANIMA" / nome);
        }
        reinicia_formularios();
        dialogos.clear();
        grava_semana(u - 'C', dt(2026, 12, 9, 9));
        outro_modal = [](pf::Form& f) {
            if (f.Name() == "Conf_cd") t::Click(static_cast<shell::Conf_cd&>(f).Command1);
        };
        pf::Forms::Show("fundo");
        t::ProcessEvents();
        auto& m = pf::Forms::Get<shell::INTRONEW>("INTRONEW");
        ASSERT_FALSE(m.pic_horta.Picture().IsEmpty()) << u << ": the disc is read";
        ASSERT_TRUE(avisos().empty());

        // Taken out while the player is on the menu, who then picks the garden.
        std::filesystem::remove_all(disco);
        if (u == 'G') std::filesystem::create_directory(cdrom);
        t::Click(m.pic_horta);
        for (int i = 0; i < 3; ++i) t::TickTimer(m.timer_);
        t::ProcessEvents();
        const std::vector<std::string> esperado = {
            std::string("Disco retirado | As figuras do jogo não puderam ser lidas da unidade ") + u +
            ":. O disco parece ter sido retirado. Ponha o disco de volta na unidade, ou escolha outra unidade em "
            "\"Opções\", na tela de Introdução."};
        EXPECT_EQ(avisos(), esperado) << u;
    }
}

TEST_F(Midia, ListaDoInicioMostraAsSeisUnidades) {
    double fim_da_lista = 0, altura = 0;
    outro_modal = [&](pf::Form& f) {
        if (f.Name() != "Conf_cd") return;
        auto& d = static_cast<shell::Conf_cd&>(f);
        t::Click(d.Combo1);
        ASSERT_TRUE(d.Combo1.DroppedDown());
        const QRectF r = d.Combo1.RectPx();
        fim_da_lista = r.bottom();
        while (d.Combo1.HitTest(QPointF(r.center().x(), fim_da_lista + 0.5))) fim_da_lista += 1;
        altura = d.ClientRectPx().height();
        t::Click(d.Command2);
    };
    pf::Forms::Show("fundo");
    t::ProcessEvents();
    EXPECT_GT(fim_da_lista, 100.0);
    EXPECT_LE(fim_da_lista, altura) << "the open list runs past the dialog";
}

TEST_F(Midia, OpcoesRecusamUnidadeSemMidia) {
    grava_semana(0, dt(2026, 12, 1));
    pf::Forms::Show("conf");
    t::ProcessEvents();
    auto& c = pf::Forms::Get<shell::conf>("conf");

    // Typed, then the list loses the focus: refused at once.
    c.Combo1.SetText("f");
    c.Combo1_LostFocus();
    EXPECT_EQ(c.Combo1.Text(), "C:");
    EXPECT_EQ(model::sessao().dir_anima, "C:");

    // Chosen from the list, then "Retornar": refused, the screen stays.
    c.Combo1.SetListIndex(1);
    t::Click(c.Label1);
    t::ProcessEvents();
    EXPECT_TRUE(pf::Forms::IsLoaded("conf"));
    EXPECT_EQ(c.Combo1.ListIndex(), 0);
    EXPECT_EQ(le_semana("cd").ToInt(), 0);
    ASSERT_EQ(avisos().size(), 2u);
    EXPECT_EQ(avisos()[1],
              "Configuração de Sons | A unidade D: não tem os arquivos do jogo (pasta \\anima\\). Escolha uma destas unidades: C:, E:");

    // A drive whose pictures folder lacks what the menu shows: refused too.
    comum::grava_bmp(pasta / "drives" / "F" / "anima" / "port00.bmp");
    c.Combo1.SetListIndex(3);
    t::Click(c.Label1);
    t::ProcessEvents();
    EXPECT_TRUE(pf::Forms::IsLoaded("conf"));
    ASSERT_EQ(avisos().size(), 3u);
    EXPECT_EQ(avisos()[2],
              "Configuração de Sons | A unidade F: não tem os arquivos do jogo (pasta \\anima\\). Escolha uma destas unidades: C:, E:");

    // A drive with the pictures is taken.
    c.Combo1.SetListIndex(2);
    t::Click(c.Label1);
    t::ProcessEvents();
    EXPECT_FALSE(pf::Forms::IsLoaded("conf"));
    EXPECT_EQ(le_semana("cd").ToInt(), 2);
    EXPECT_EQ(model::sessao().dir_anima, "E:");
}

TEST_F(Midia, RetornarComAUnidadeEmUsoSempreVolta) {
    // The disc is taken out during the run and no drive holds the game now:
    // the options screen still leads back to the menu, to save and leave.
    grava_semana(0, dt(2026, 12, 1));
    pf::Forms::Show("INTRONEW");
    t::ProcessEvents();
    t::Click(pf::Forms::Get<shell::INTRONEW>("INTRONEW").Label2);
    t::ProcessEvents();
    for (const char* u : {"C", "E"}) std::filesystem::remove_all(pasta / "drives" / u / "anima");
    t::Click(pf::Forms::Get<shell::conf>("conf").Label1);
    t::ProcessEvents();
    EXPECT_FALSE(pf::Forms::IsLoaded("conf"));
    EXPECT_TRUE(pf::Forms::IsLoaded("INTRONEW"));
    EXPECT_TRUE(avisos().empty());
    EXPECT_EQ(le_semana("cd").ToInt(), 0);
}

TEST_F(Midia, MenuVoltaComAsFigurasDaUnidadeNova) {
    grava_semana(0, dt(2026, 12, 1));
    pf::Forms::Show("INTRONEW");
    t::ProcessEvents();
    auto& m = pf::Forms::Get<shell::INTRONEW>("INTRONEW");
    // The earthworm shows from the load on, before its timer's first tick.
    EXPECT_EQ(m.pic_nhoca.Picture().GamePath(), "C:\\anima\\nhoca0p.bmp");
    t::Click(m.Label2);
    t::ProcessEvents();
    auto& c = pf::Forms::Get<shell::conf>("conf");
    c.Combo1.SetListIndex(2);
    t::Click(c.Label1);
    t::ProcessEvents();
    ASSERT_EQ(pf::Forms::Find("INTRONEW"), &m);  // the same menu, loaded behind
    for (const pf::PictureBox* b : {&m.saida, &m.pic_semen, &m.pic_horta, &m.pic_feira, &m.pic_agenda, &m.pic_nhoca})
        EXPECT_EQ(b->Picture().GamePath().substr(0, 9), "E:\\anima\\") << b->Name();
    EXPECT_EQ(m.interroga.Picture().GamePath(), "E:\\anima\\int00.bmp");
}

}  // namespace
