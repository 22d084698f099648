#include "help/topico.h"

#include <algorithm>
#include <cmath>

#include "help/hipertexto.h"
#include "help/ligacoes.h"
#include "help/texto_ansi.h"
#include "platform/video.h"

namespace help {

std::vector<std::string> TextLines(501);
int LineCount = 0;
int TopLine = 0;
std::vector<HotSpot> HotSpots(1);
int HotSpotCount = 0;

namespace {

// Lines a topic may lay out (the counters are 16-bit).
constexpr int kUltimaLinha = 32000;

constexpr double kMargemTitulo = 700;
constexpr double kMargemTexto = 200;
constexpr double kTamanhoTitulo = 14;
constexpr double kTamanhoCorpo = 9;
constexpr double kTamanhoLinhaVazia = 2;
constexpr std::size_t kTamanhoAlvo = 128;  // characters of a link target kept

// Painting state.
int HotSpotIndex = 0;
int LineFirstHotSpot = 1;
double LineTop = 0;

std::string sem_brancos_finais(std::string s) {
    const auto fim = s.find_last_not_of(' ');
    s.erase(fim == std::string::npos ? 0 : fim + 1);
    return s;
}

// Takes the first character (a whole UTF-8 character) off the text.
std::string tira_primeiro_caractere(std::string& text) {
    const std::size_t n = tamanho_primeiro_caractere(text);
    std::string c = text.substr(0, n);
    text.erase(0, n);
    return c;
}

std::string& linha(int n) {
    if (static_cast<std::size_t>(n) >= TextLines.size()) TextLines.resize(n + 1);
    return TextLines[n];
}

HotSpot& hot_spot(int n) {
    if (static_cast<std::size_t>(n) >= HotSpots.size()) HotSpots.resize(n + 1);
    return HotSpots[n];
}

// Lays a text out under a title: the work of FormatTopic.
int dispoe(const std::string& title, std::string text, pf::PictureBox& box) {
    TextLines.assign(501, std::string());
    TextLines[0] = sem_brancos_finais(title);
    int n = 2;
    box.SetForeColor(kCorTexto);
    box.SetFontSize(kTamanhoCorpo);
    double x = kMargemTexto;
    const double largura = box.ScaleWidth();
    bool tem_filme = false;
    for (;;) {
        std::string word = NextWord(text);
        if (word.empty()) break;
        std::string shown;
        if (word.rfind("##", 0) == 0) {
            std::string token = word, target;
            const bool link = ParseHotLink(token, shown, target);
            // A topic with a film has the film's player loaded while it is
            // read, so that the link opens it without a wait.
            if (link && platform::IsFilm(sem_brancos_finais(target))) {
                platform::PrepareFilms(caminho_de_midia(sem_brancos_finais(target)));
                tem_filme = true;
            }
            const std::string glued = tira_primeiro_caractere(text);
            shown += glued;
            word += glued;
            box.SetFontUnderline(link);
            box.SetForeColor(link ? kCorLink : kCorTexto);
        } else {
            shown = word;
            box.SetFontUnderline(false);
            box.SetForeColor(kCorTexto);
        }
        if (!shown.empty() && shown[0] == '\r') {  // paragraph break
            n += 2;
            x = kMargemTexto;
            shown.clear();
            word.clear();
        }
        const double w = box.TextWidth(shown);
        if (x + w > largura) {
            ++n;
            x = kMargemTexto + w;
        } else {
            x += w;
        }
        x = std::round(x);
        if (n > kUltimaLinha) break;  // a text this long is cut here
        linha(n) += word;
    }
    box.SetFontUnderline(false);
    box.SetForeColor(kCorTexto);
    // A topic without a film lets go of the player loaded for the one before
    // (a film still playing ends with its window).
    if (!tem_filme) platform::ReleaseFilms();
    LineCount = n + 1;
    return LineCount;
}

void mostra(const std::string& title, const std::string& text, pf::PictureBox& box, pf::VScrollBar& scroll) {
    LineCount = dispoe(title, text, box);
    TopLine = 0;
    scroll.SetMin(0);
    scroll.SetSmallChange(1);
    const long altura_linha = std::max(1L, std::lround(box.TextHeight("Any Text")));
    const int page = static_cast<int>(std::lround(box.ScaleHeight()) / altura_linha);
    scroll.SetLargeChange(MaxInt(1, MinInt(page - 2, LineCount - 1)));
    if (scroll.Value() > 0)
        scroll.SetValue(0);  // the window's change handler repaints
    else
        box.Refresh();
    scroll.SetMax(MaxInt(LineCount - page, 0));
}

}  // namespace

int MaxInt(int a, int b) { return a > b ? a : b; }
int MinInt(int a, int b) { return a < b ? a : b; }

std::string NextWord(std::string& text) {
    std::string word;
    if (text.empty() || text[0] != '#') {
        const std::size_t blank = text.find(' ');
        if (blank == std::string::npos) {
            word = std::move(text);
            text.clear();
        } else {
            word = text.substr(0, blank + 1);
            text.erase(0, blank + 1);
        }
    } else {
        const std::size_t til = text.find('~');
        if (til == std::string::npos) return "";
        word = text.substr(0, til + 1);
        text.erase(0, til + 1);
    }
    return word;
}

bool ParseHotLink(std::string& token, std::string& shown, std::string& target) {
    token.erase(0, token.find_first_not_of('#') == std::string::npos ? token.size() : token.find_first_not_of('#'));
    const std::size_t bar = token.find('|');
    if (bar == std::string::npos) {
        shown = token.substr(0, token.find('~'));
        target.clear();
        return false;
    }
    shown = token.substr(0, bar);
    token.erase(0, bar + 1);
    target = token.substr(0, token.find('~'));
    return true;
}

int FormatTopic(const std::string& name, pf::PictureBox& box) { return dispoe(name, GetTopicText(name), box); }

void ShowTopic(const std::string& name, pf::PictureBox& box, pf::VScrollBar& scroll) {
    mostra(name, GetTopicText(name), box, scroll);
}

void ShowFirstTopic(pf::PictureBox& box, pf::VScrollBar& scroll) {
    if (TopicCount < 1) {
        mostra("Ajuda indisponível",
               "O texto desta ajuda não foi encontrado ou não pôde ser preparado. "
               "Clique em Retornar para voltar ao jogo.",
               box, scroll);
        return;
    }
    ShowTopic(sem_brancos_finais(TopicIndex[1].Topic), box, scroll);
}

void NewTextLine(pf::PictureBox& box) {
    box.Print("");
    LineTop = box.CurrentY();
    for (int k = LineFirstHotSpot; k <= HotSpotIndex; ++k) hot_spot(k).Bottom = static_cast<int>(std::lround(LineTop));
    LineFirstHotSpot = HotSpotIndex + 1;
}

void PaintTopic(pf::PictureBox& box, int first, int last) {
    box.Cls();
    HotSpotIndex = 0;
    LineFirstHotSpot = 1;
    LineTop = 0;
    int n = first;
    if (n == 0) {
        box.SetFontUnderline(false);
        box.SetFontBold(true);
        box.SetForeColor(kCorTexto);
        box.SetFontSize(kTamanhoTitulo);
        box.SetCurrentX(kMargemTitulo);
        box.Print(sem_brancos_finais(TextLines.empty() ? std::string() : TextLines[0]));
        box.Print("");
        n = 2;
    }
    box.SetForeColor(kCorTexto);
    box.SetFontSize(kTamanhoCorpo);
    const double altura = box.ScaleHeight();
    while (n <= last && box.CurrentY() <= altura) {
        std::string entry = static_cast<std::size_t>(n) < TextLines.size() ? TextLines[n] : std::string();
        if (!entry.empty()) {
            box.SetCurrentX(kMargemTexto);
            LineTop = box.CurrentY();
            for (;;) {
                std::string word = NextWord(entry);
                if (word.empty()) break;
                if (word.rfind("##", 0) != 0) {
                    box.Print(word, false);
                    continue;
                }
                std::string shown, target;
                const bool link = ParseHotLink(word, shown, target);
                shown += tira_primeiro_caractere(entry);
                if (!link) {
                    box.Print(shown, false);
                    continue;
                }
                ++HotSpotIndex;
                HotSpot& h = hot_spot(HotSpotIndex);
                h.Left = static_cast<int>(std::lround(box.CurrentX()));
                h.Top = static_cast<int>(std::lround(LineTop));
                h.Bottom = h.Top;
                box.SetFontUnderline(true);
                box.SetForeColor(kCorLink);
                box.Print(shown, false);
                box.SetFontUnderline(false);
                box.SetForeColor(kCorTexto);
                h.Right = static_cast<int>(std::lround(box.CurrentX()));
                h.Target = primeiros_caracteres(target, kTamanhoAlvo);
            }
            NewTextLine(box);
        } else {
            box.SetFontSize(kTamanhoLinhaVazia);
            NewTextLine(box);
            box.SetFontSize(kTamanhoCorpo);
        }
        ++n;
    }
    HotSpotCount = HotSpotIndex;
}

std::string HotSpotAt(float x, float y) {
    for (int k = 1; k <= HotSpotCount; ++k) {
        const HotSpot& h = HotSpots[k];
        if (h.Left < x && x < h.Right && h.Top < y && y < h.Bottom) return sem_brancos_finais(h.Target);
    }
    return "";
}

bool IsOverHotSpot(float x, float y) {
    for (int k = 1; k <= HotSpotCount; ++k) {
        const HotSpot& h = HotSpots[k];
        if (h.Left < x && x < h.Right && h.Top < y && y < h.Bottom) return true;
    }
    return false;
}

}  // namespace help
