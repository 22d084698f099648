#include "agenda/listas.h"

#include "model/modelo.h"
#include "platform/text.h"

namespace agenda {

namespace {

const char* codigo_da_lista(Lista l) {
    switch (l) {
        case Lista::PLD: return "PLD";
        case Lista::PLS: return "PLS";
        case Lista::TR: return "TR";
        case Lista::LI: return "LI";
        case Lista::DES: return "DES";
        case Lista::AM: return "AM";
        case Lista::COP: return "COP";
        case Lista::COF: return "COF";
    }
    return "";
}

bool tem_lotes(Lista l) { return l == Lista::PLS || l == Lista::TR || l == Lista::LI || l == Lista::DES; }

// Garden beds due the activity, in ascending index: crop text, bed label.
void acrescenta_canteiros(const std::string& trato, std::vector<LinhaLista>& r) {
    const auto& h = model::horta();
    for (int i = 0; i < model::n_canteiros; ++i)
        if (model::trato_horta(h.cult_can[i], h.idade_can[i]) == trato)
            r.push_back({h.nome_can[i], model::nome_canteiro(i), "", ""});
}

void redimensiona(std::vector<std::string>& v, std::size_t n) {
    v.assign(std::max<std::size_t>(n, linhas_minimas_relatorio), std::string());
}

}  // namespace

std::int16_t qt_tratos(const std::string& trato) {
    const auto& h = model::horta();
    int n = 0;
    for (int i = 0; i < model::n_canteiros; ++i)
        if (model::trato_horta(h.cult_can[i], h.idade_can[i]) == trato) ++n;
    return static_cast<std::int16_t>(n);
}

std::int16_t qt_sem_tratos(const std::string& trato) {
    const auto& h = model::horta();
    int n = 0;
    for (int k = 0; k < model::n_lotes; ++k)
        if (model::trato_sem(h.cult_sem[k], h.idade_sem[k]) == trato) ++n;
    return static_cast<std::int16_t>(n);
}

std::string texto_quantidade(double qt) { return platform::Str(qt) + "m"; }

std::vector<LinhaLista> linhas_lista(Lista l, const Pendencias& p) {
    const auto& h = model::horta();
    const auto& c = model::catalogo();
    const std::string trato = codigo_da_lista(l);
    std::vector<LinhaLista> r;

    if (l == Lista::PLD) {
        for (int n = 0; n < p.qt_pld; ++n) {
            const int cult = p.lista_pld[n].cult;
            r.push_back({c.nome_cult[cult], texto_quantidade(p.lista_pld[n].qt), "", c.dens_cult[cult]});
        }
        acrescenta_canteiros(trato, r);
        return r;
    }
    if (l == Lista::PLS) {
        for (int n = 0; n < p.qt_pls; ++n) r.push_back({c.nome_cult[p.lista_pls[n]], "1x", "", ""});
        for (int k = 0; k < model::n_lotes; ++k)
            if (model::trato_sem(h.cult_sem[k], h.idade_sem[k]) == trato)
                r.push_back({h.nome_sem[k], model::nome_leira(k), "", ""});
        return r;
    }
    if (tem_lotes(l)) {  // TR, LI, DES: lots first, then beds
        for (int k = 0; k < model::n_lotes; ++k) {
            if (model::trato_sem(h.cult_sem[k], h.idade_sem[k]) != trato) continue;
            LinhaLista linha{h.nome_sem[k], "", model::nome_leira(k), ""};
            if (l == Lista::TR) {
                for (int n = 0; n < p.qt_tr; ++n) {
                    if (p.lista_tr[n].cult == h.cult_sem[k]) {
                        linha.c2 = texto_quantidade(p.lista_tr[n].qt);
                        linha.c3 = c.dens_cult[h.cult_sem[k]];
                        break;
                    }
                }
            }
            r.push_back(linha);
        }
    }
    acrescenta_canteiros(trato, r);
    return r;
}

int contagem_lista(Lista l, const Pendencias& p) {
    const std::string trato = codigo_da_lista(l);
    // 16-bit sums, as the lists count them.
    switch (l) {
        case Lista::PLD: return static_cast<std::int16_t>(p.qt_pld + qt_tratos(trato));
        case Lista::PLS: return static_cast<std::int16_t>(p.qt_pls + qt_sem_tratos(trato));
        case Lista::TR:
        case Lista::LI:
        case Lista::DES: return static_cast<std::int16_t>(qt_tratos(trato) + qt_sem_tratos(trato));
        default: return qt_tratos(trato);
    }
}

ListasRelatorio::ListasRelatorio() {
    for (Lista l : {Lista::PLD, Lista::PLS, Lista::TR, Lista::LI, Lista::DES, Lista::AM, Lista::COP, Lista::COF})
        grava(l, {});
}

void ListasRelatorio::grava(Lista l, const std::vector<LinhaLista>& linhas) {
    std::vector<std::string>* c1 = nullptr;
    std::vector<std::string>* c2 = nullptr;
    std::vector<std::string>* c22 = nullptr;
    std::vector<std::string>* c3 = nullptr;
    switch (l) {
        case Lista::PLD: c1 = &rel_pld1; c2 = &rel_pld2; c3 = &rel_pld3; break;
        case Lista::PLS: c1 = &rel_pls1; c2 = &rel_pls2; break;
        case Lista::TR: c1 = &rel_tr1; c2 = &rel_tr2; c22 = &rel_tr22; c3 = &rel_tr3; break;
        case Lista::LI: c1 = &rel_li1; c2 = &rel_li2; c22 = &rel_li22; break;
        case Lista::DES: c1 = &rel_des1; c2 = &rel_des2; c22 = &rel_des22; break;
        case Lista::AM: c1 = &rel_amo1; c2 = &rel_amo2; break;
        case Lista::COP: c1 = &rel_cop1; c2 = &rel_cop2; break;
        case Lista::COF: c1 = &rel_cof1; c2 = &rel_cof2; break;
    }
    for (auto* v : {c1, c2, c22, c3})
        if (v) redimensiona(*v, linhas.size());
    for (std::size_t j = 0; j < linhas.size(); ++j) {
        (*c1)[j] = linhas[j].c1;
        (*c2)[j] = linhas[j].c2;
        if (c22) (*c22)[j] = linhas[j].c22;
        if (c3) (*c3)[j] = linhas[j].c3;
    }
}

}  // namespace agenda
