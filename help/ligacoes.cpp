#include "help/ligacoes.h"

#include "help/topico.h"
#include "model/checagens.h"
#include "model/estado.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/text.h"

namespace help {

int anima_topico = 0;
int quadro_inicial = 0;
int qt_quadros = 0;
int quadro_help = 0;

namespace {

enum class Pasta { Midia, Programa, Semana };

struct Ilustracao {
    const char* nomes[2];
    Pasta pasta;
    const char* figura;
    int anima;  // 0: the row leaves the animation values alone
    int inicio;
    int quadros;
};

const Ilustracao kIlustracoes[] = {
    {{"Construindo sua Horta", nullptr}, Pasta::Midia, "\\anima\\hortel07.bmp", 3, 7, 61},
    {{"O Plantio Definitivo", "O Plantio Definitivo (Direto)"}, Pasta::Midia, "\\anima\\pla06.bmp", 4, 6, 61},
    {{"O Plantio em Sementeira", nullptr}, Pasta::Midia, "\\anima\\sem08.bmp", 5, 9, 79},
    {{"O Transplante", nullptr}, Pasta::Midia, "\\anima\\tra04.bmp", 6, 5, 79},
    {{"A Reposição", nullptr}, Pasta::Midia, "\\anima\\rep03.bmp", 7, 4, 79},
    {{"O Desbaste", nullptr}, Pasta::Midia, "\\anima\\des06.bmp", 9, 7, 79},
    {{"A Limpeza", nullptr}, Pasta::Midia, "\\anima\\li06.bmp", 8, 7, 85},
    {{"A Amontoa", nullptr}, Pasta::Midia, "\\anima\\amo05.bmp", 10, 6, 73},
    {{"A Colheita Final e Parcial", nullptr}, Pasta::Midia, "\\anima\\cof05.bmp", 12, 8, 85},
    {{"O botão do planeta (tempo virtual)", nullptr}, Pasta::Midia, "\\anima\\planet01.bmp", 0, 0, 0},
    {{"O botão do calendário (tempo real)", nullptr}, Pasta::Semana, "", 0, 0, 0},
    {{"O botão da porteira (saída)", nullptr}, Pasta::Midia, "\\anima\\sa00.bmp", 0, 0, 0},
    {{"O Hortelão", nullptr}, Pasta::Midia, "\\anima\\hortelin.bmp", 0, 0, 0},
    {{"O botão da agenda", nullptr}, Pasta::Programa, "\\agenda.bmp", 0, 0, 0},
    {{"O botão do carrinho (feira)", nullptr}, Pasta::Midia, "\\anima\\carrin3.bmp", 0, 0, 0},
    {{"O botão da horta", nullptr}, Pasta::Programa, "\\trab3.bmp", 0, 0, 0},
    {{"O botão da sementeira", nullptr}, Pasta::Programa, "\\semenc.bmp", 0, 0, 0},
    {{"ALFACE", nullptr}, Pasta::Midia, "\\anima\\az_ALF.bmp", 0, 0, 0},
    {{"BETERRABA", nullptr}, Pasta::Midia, "\\anima\\az_BET.bmp", 0, 0, 0},
    {{"CENOURA", nullptr}, Pasta::Midia, "\\anima\\az_CEN.bmp", 0, 0, 0},
    {{"RABANETE", nullptr}, Pasta::Midia, "\\anima\\az_RAB.bmp", 0, 0, 0},
    {{"NABO", nullptr}, Pasta::Midia, "\\anima\\az_NAB.bmp", 0, 0, 0},
    {{"RÚCULA", nullptr}, Pasta::Midia, "\\anima\\az_RUC.bmp", 0, 0, 0},
    {{"CHICÓRIA", nullptr}, Pasta::Midia, "\\anima\\az_chi.bmp", 0, 0, 0},
    {{"BRÓCOLIS", nullptr}, Pasta::Midia, "\\anima\\az_bro.bmp", 0, 0, 0},
    {{"REPOLHO", nullptr}, Pasta::Midia, "\\anima\\az_REP.bmp", 0, 0, 0},
    {{"COUVE", nullptr}, Pasta::Midia, "\\anima\\az_COU.bmp", 0, 0, 0},
    {{"COUVE-FLÔR", nullptr}, Pasta::Midia, "\\anima\\az_FLO.bmp", 0, 0, 0},
    {{"ESPINAFRE", nullptr}, Pasta::Midia, "\\anima\\az_ESP.bmp", 0, 0, 0},
    {{"ALHO-PORÓ", nullptr}, Pasta::Midia, "\\anima\\az_POR.bmp", 0, 0, 0},
    {{"TOMATE", nullptr}, Pasta::Midia, "\\anima\\az_tom.bmp", 0, 0, 0},
    {{"BERINJELA", nullptr}, Pasta::Midia, "\\anima\\az_bgl.bmp", 0, 0, 0},
    {{"PIMENTÃO", nullptr}, Pasta::Midia, "\\anima\\az_PIM.bmp", 0, 0, 0},
    {{"VAGEM", nullptr}, Pasta::Midia, "\\anima\\az_vgm.bmp", 0, 0, 0},
    {{"SALSA", "CEBOLINHA"}, Pasta::Midia, "\\anima\\az_che.bmp", 0, 0, 0},
    {{"PEPINO", nullptr}, Pasta::Midia, "\\anima\\az_PEP.bmp", 0, 0, 0},
    {{"AGRIÃO", nullptr}, Pasta::Midia, "\\anima\\az_AGR.bmp", 0, 0, 0},
    {{"QUIABO", nullptr}, Pasta::Midia, "\\anima\\az_qui.bmp", 0, 0, 0},
};

const Ilustracao* procura(const std::string& topic) {
    for (const Ilustracao& i : kIlustracoes)
        for (const char* nome : i.nomes)
            if (nome && topic == nome) return &i;
    return nullptr;
}

std::string caminho(const Ilustracao& i) {
    switch (i.pasta) {
        case Pasta::Midia: return model::sessao().dir_anima + i.figura;
        case Pasta::Programa: return platform::ProgramFolder() + i.figura;
        case Pasta::Semana: return model::pict_semana();
    }
    return "";
}

constexpr int kTopoIlustracao = 1200;
constexpr int kColunaIlustracao = 1600;

}  // namespace

bool e_alvo_de_midia(const std::string& target) { return target.size() >= 4 && target[target.size() - 4] == '.'; }

std::string caminho_de_midia(const std::string& target) {
    return target.size() >= 2 && target[1] == ':' ? target : model::sessao().dir_anima + target;
}

void mostra_ilustracao(const std::string& topic, pf::PictureBox& imagespicturebox, pf::Timer& timer_) {
    imagespicturebox.SetTop(kTopoIlustracao);
    const Ilustracao* i = procura(topic);
    if (i) {
        if (i->anima != 0) {
            anima_topico = i->anima;
            quadro_inicial = i->inicio;
            qt_quadros = i->quadros;
        }
        const pf::Picture figura = pf::LoadPicture(caminho(*i));
        imagespicturebox.SetPicture(figura);
        // A picture missing from the media drive leaves no empty frame behind.
        imagespicturebox.SetVisible(!figura.IsEmpty());
    } else {
        timer_.SetInterval(0);
        imagespicturebox.SetVisible(false);
    }
    imagespicturebox.SetTop(kTopoIlustracao);
    imagespicturebox.SetLeft((kColunaIlustracao - imagespicturebox.Width()) / 2);
}

void HyperlinkJump(const std::string& target, pf::PictureBox& TextPictureBox, pf::PictureBox& imagespicturebox,
                   pf::VScrollBar& TextVScroll, pf::Timer& timer_) {
    timer_.SetInterval(0);
    anima_topico = 0;
    if (!e_alvo_de_midia(target)) {
        ShowTopic(target, TextPictureBox, TextVScroll);
        mostra_ilustracao(target, imagespicturebox, timer_);
        return;
    }

    const std::string path = caminho_de_midia(target);
    if (!platform::FileExists(path)) {
        pf::MsgBox("Unable to locate media file " + path, pf::vbExclamation, "Hyperlink Error");
        return;
    }
    const std::string ext = platform::UCase(path.substr(path.size() - 3));
    if (ext == "MID" || ext == "WAV" || ext == "AVI") {
        // The player asked for this one by clicking it: it plays whatever the
        // sound option, which governs the game's own voices and cues.
        platform::PlayMedia(path);
    } else if (ext == "BMP" || ext == "JPG") {
        const pf::Picture figura = pf::LoadPicture(path);
        if (figura.IsEmpty()) {
            pf::MsgBox("Não foi possível abrir a figura " + path, pf::vbExclamation, "Hyperlink Error");
            return;
        }
        imagespicturebox.SetPicture(figura);
        const pf::Container& janela = imagespicturebox.Parent();
        imagespicturebox.SetLeft(static_cast<int>((janela.ScaleWidth() - imagespicturebox.Width()) / 2));
        imagespicturebox.SetTop(static_cast<int>((janela.ScaleHeight() - imagespicturebox.Height()) / 2));
        TextPictureBox.SetVisible(false);
        TextVScroll.SetVisible(false);
        imagespicturebox.SetVisible(true);
    } else {
        pf::MsgBox("Unknown media file type " + path, pf::vbExclamation, "Hyperlink Error");
    }
}

}  // namespace help
