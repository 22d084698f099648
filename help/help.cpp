#include "help/help.h"

#include "help/hipertexto.h"
#include "help/ligacoes.h"
#include "help/registro.h"
#include "help/topico.h"
#include "model/estado.h"
#include "platform/paths.h"
#include "platform/video.h"
#include "shell/navegacao.h"

namespace help {

namespace {

constexpr int kIntervaloAnimacao = 100;
constexpr int kPassosNhoca = 21;
constexpr int kPassoNhoca = 50;
constexpr int kLimiteEsquerdo = 2400;
constexpr int kLimiteDireito = 10200;

// The topic animations: id, frame name prefix, first and last frame number,
// and a frame number left out of the run (-1 none).
struct Animacao {
    int id;
    const char* prefixo;
    int primeiro;
    int ultimo;
    int fora;
};
constexpr Animacao kAnimacoes[] = {
    {3, "hortel", 1, 10, -1}, {4, "pla", 1, 10, -1}, {5, "sem", 0, 12, -1},
    {6, "tra", 0, 12, -1},    {7, "rep", 0, 12, -1}, {8, "li", 0, 12, 10},
    {9, "des", 0, 12, -1},    {10, "amo", 0, 11, -1}, {12, "cof", 0, 13, -1},
};

// The screen help's "Retornar" shows for the screen that opened it.
std::string tela_de_retorno(const std::string& tela_atual) {
    if (tela_atual == "horta") return "trabalhando_na_horta";
    if (tela_atual == "Orgânico") return "INTRONEW";
    if (tela_atual == "PGM") return "conf";
    if (tela_atual == "Agenda") return "age";
    return "controle_da_sementeira";
}

}  // namespace

const std::vector<ArquivoAssunto>& assuntos_help() {
    static const std::vector<ArquivoAssunto> tabela = {
        {"Atividades", "\\help.Txt", "\\help.XXX"},
        {"Culturas1", "\\cult1.Txt", "\\cult1.XXX"},
        {"Culturas2", "\\cult2.Txt", "\\cult2.XXX"},
        {"Atividades_Sem", "\\helps.Txt", "\\helps.XXX"},
        {"Orgânico", "\\Organico.Txt", "\\Organico.XXX"},
        {"PGM", "\\pgm.Txt", "\\pgm.XXX"},
        {"Agenda", "\\helpss.Txt", "\\helpss.XXX"},
    };
    return tabela;
}

const ArquivoAssunto* arquivo_do_assunto(const std::string& assunto) {
    for (const ArquivoAssunto& a : assuntos_help())
        if (assunto == a.assunto) return &a;
    return nullptr;
}

std::vector<std::string> quadros_da_animacao(int id) {
    std::vector<std::string> r;
    for (const Animacao& a : kAnimacoes) {
        if (a.id != id) continue;
        for (int n = a.primeiro; n <= a.ultimo; ++n)
            if (n != a.fora) r.push_back(shell::quadro_anima(a.prefixo, n));
    }
    return r;
}

// ------------------------------------------------------------------ design

help::help() : pf::Form(nome_tela_help) {
    SetCaption("Ajuda");
    SetClientSize(12000, 9000);
    SetFont(pf::Font{"MS Sans Serif", 8.25, true});
    const pf::Picture ponteiro = pf::LoadPicture(platform::ProgramFolder() + "\\forms\\help_MouseIcon.png");
    SetMouseIcon(ponteiro);

    TextPictureBox.Move(1950, 330, 9780, 8265);
    TextPictureBox.SetBackColor(pf::vbWhite);
    TextPictureBox.SetForeColor(kCorTexto);
    TextPictureBox.SetMouseIcon(ponteiro);

    TextVScroll.Move(11745, 0, 255, 9000);

    imagespicturebox.SetAutoSize(true);
    imagespicturebox.SetVisible(false);
    imagespicturebox.Move(0, 1200, 1050, 870);
    imagespicturebox.SetMouseIcon(ponteiro);
    imagespicturebox.SetMousePointer(pf::vbCustom);

    theLabel1.Move(120, 450, 1335, 360);
    theLabel1.SetCaption("Retornar");
    theLabel1.SetFont(pf::Font{"Arial", 15.75, true, true});
    // A deep violet: the options screen's lilac hardly reads on the sky.
    theLabel1.SetForeColor(pf::RGB(72, 61, 139));
    theLabel1.SetBackStyle(pf::vbTransparent);
    theLabel1.SetMouseIcon(ponteiro);
    theLabel1.SetMousePointer(pf::vbCustom);

    pic_nhoca.Move(11130, 8670, 450, 255);
    pic_nhoca.SetMouseIcon(ponteiro);
    pic_nhoca.SetMousePointer(pf::vbCustom);

    timer_.SetInterval(0);

    theLabel1.OnClick = [this] { thelabel1_Click(); };
    TextPictureBox.OnMouseDown = [this](int B, int S, float X, float Y) { TextPictureBox_MouseDown(B, S, X, Y); };
    TextPictureBox.OnMouseMove = [this](int B, int S, float X, float Y) { TextPictureBox_MouseMove(B, S, X, Y); };
    TextPictureBox.OnPaint = [this] { TextPictureBox_Paint(); };
    TextVScroll.OnChange = [this] { TextVScroll_Change(); };
    imagespicturebox.OnClick = [this] { imagespicturebox_Click(); };
    imagespicturebox.OnMouseDown = [this](int B, int S, float X, float Y) { ImagesPictureBox_MouseDown(B, S, X, Y); };
    pic_nhoca.OnClick = [this] { pic_nhoca_Click(); };
    timer_.OnTimer = [this] { Timer__Timer(); };
}

// ------------------------------------------------------------------ events

void help::Form_Load() {
    SetMousePointer(pf::vbArrow);
    FilesOpen = false;
    const std::string pasta = platform::ProgramFolder();
    if (const ArquivoAssunto* a = arquivo_do_assunto(shell::estado_telas().assunto_help)) {
        // A source that cannot be compiled leaves no topic loaded; the text
        // box then says that the help text is missing.
        if (CompileHypertextSource(pasta + a->fonte))
            LoadHypertextFile(pasta + a->aberto_como);
        else
            TopicCount = 0;
    } else {
        TopicCount = 0;
    }
    TextPictureBox.SetMousePointer(pf::vbCrosshair);
    SetMousePointer(pf::vbCrosshair);
    TextVScroll.Move(ClientWidth() - TextVScroll.Width(), 0, TextVScroll.Width(), ClientHeight());
    ShowFirstTopic(TextPictureBox, TextVScroll);
    fase_nhoca = 0;
    nhoca_esq = true;
    LoadPicture(pasta + "\\back_in.jpg");
    TextPictureBox.LoadPicture(pasta + "\\textura.jpg");
    pic_nhoca.LoadPicture(model::sessao().dir_anima + "\\anima\\nhoca0p.bmp");
}

// Leaving the help lets go of the film player loaded for its topic.
void help::Form_Unload(int&) { platform::ReleaseFilms(); }

void help::thelabel1_Click() {
    theLabel1.SetMousePointer(pf::vbHourglass);
    CloseHypertextFiles();
    const std::string destino = tela_de_retorno(shell::estado_telas().tela_atual);
    Unload();
    pf::Forms::Show(destino);
}

void help::TextPictureBox_MouseDown(int, int, float X, float Y) {
    const std::string target = HotSpotAt(X, Y);
    if (target.empty()) return;
    TextPictureBox.SetMousePointer(pf::vbHourglass);
    HyperlinkJump(target, TextPictureBox, imagespicturebox, TextVScroll, timer_);
    TextPictureBox.SetMousePointer(pf::vbDefault);
}

void help::TextPictureBox_MouseMove(int, int, float X, float Y) {
    TextPictureBox.SetMousePointer(IsOverHotSpot(X, Y) ? pf::vbCustom : pf::vbDefault);
}

void help::TextPictureBox_Paint() { PaintTopic(TextPictureBox, TopLine, LineCount); }

void help::TextVScroll_Change() {
    TopLine = TextVScroll.Value();
    TextPictureBox.Refresh();
}

void help::imagespicturebox_Click() {
    if (anima_topico != 0) {
        auto& s = shell::estado_telas();
        quadro_help = quadro_inicial;
        s.acao = static_cast<AcaoHelp>(anima_topico);
        s.quadro = qt_quadros;
        timer_.SetInterval(kIntervaloAnimacao);
    } else {
        imagespicturebox.SetVisible(false);
        TextPictureBox.SetVisible(true);
        TextVScroll.SetVisible(true);
    }
}

void help::ImagesPictureBox_MouseDown(int, int, float, float) {}

void help::pic_nhoca_Click() {
    shell::estado_telas().acao = AcaoHelp::nhoca;
    timer_.SetInterval(kIntervaloAnimacao);
    passos_nhoca = kPassosNhoca;
}

void help::Timer__Timer() {
    if (timer_.Interval() == 0) return;
    const std::optional<AcaoHelp> acao = shell::estado_telas().acao.como<AcaoHelp>();
    if (!acao) return;
    if (*acao == AcaoHelp::nhoca)
        anima_nhoca_tick();
    else if (!quadros_da_animacao(static_cast<int>(*acao)).empty())
        anima_topico_tick();
}

void help::anima_topico_tick() {
    auto& s = model::sessao();
    if (shell::estado_telas().quadro == 0) {
        timer_.SetInterval(0);
        return;
    }
    const std::optional<AcaoHelp> acao = shell::estado_telas().acao.como<AcaoHelp>();
    const std::vector<std::string> quadros = quadros_da_animacao(acao ? static_cast<int>(*acao) : 0);
    const int n = static_cast<int>(quadros.size());
    if (quadro_help < 1 || quadro_help > n) quadro_help = 1;
    arq_quadro = s.dir_anima + quadros[quadro_help - 1];
    if (quadro_help == n) quadro_help = 0;
    // A frame missing from the media drive leaves the last one on show.
    const pf::Picture figura = pf::LoadPicture(arq_quadro);
    if (!figura.IsEmpty()) imagespicturebox.SetPicture(figura);
    ++quadro_help;
    --shell::estado_telas().quadro;
}

void help::anima_nhoca_tick() {
    int d = fase_nhoca;
    if (fase_nhoca > 3) {
        d = 6 - fase_nhoca;
        pic_nhoca.SetLeft(pic_nhoca.Left() + (nhoca_esq ? -kPassoNhoca : kPassoNhoca));
    }
    fase_nhoca = (fase_nhoca + 1) % 7;
    const std::string quadro = nhoca_esq ? "\\anima\\nhoca" + std::to_string(d) + "p.bmp"
                                         : "\\anima\\nh" + std::to_string(d) + "p.bmp";
    const pf::Picture figura = pf::LoadPicture(model::sessao().dir_anima + quadro);
    if (!figura.IsEmpty()) pic_nhoca.SetPicture(figura);
    if (nhoca_esq && pic_nhoca.Left() < kLimiteEsquerdo)
        nhoca_esq = false;
    else if (!nhoca_esq && pic_nhoca.Left() > kLimiteDireito)
        nhoca_esq = true;
    if (--passos_nhoca <= 0) timer_.SetInterval(0);
}

void registra_formularios() {
    pf::Forms::Register<help>(nome_tela_help);
    // What the help loads as it opens, decoded ahead while the button that
    // leads here plays its animation.
    pf::SetScreenPictures(nome_tela_help, [] {
        const std::string pasta = platform::ProgramFolder();
        return std::vector<std::string>{pasta + "\\back_in.jpg", pasta + "\\textura.jpg",
                                        pasta + "\\forms\\help_MouseIcon.png",
                                        model::sessao().dir_anima + "\\anima\\nhoca0p.bmp"};
    });
}

}  // namespace help
