#include "model/catalogo.h"

#include <initializer_list>
#include <utility>

#include "model/estado.h"
#include "platform/clock.h"

namespace model {

namespace {

struct LinhaFicha {
    const char* nome;
    const char* sigla;
    int familia;
    const char* densidade;
    int ciclo;
    int sementeira;
    int intervalo;
    int plantios;
    int quantidade;
};

// Indexed by crop code; code 0 is the free bed.
constexpr LinhaFicha fichas[n_codigos] = {
    {"Vago", "", 0, "...", 0, 0, 0, 0, 0},
    {"Alface", "Alf", 4, "12 / m2", 8, 4, 2, 4, 6},
    {"Chicória", "Chi", 4, "12 / m2", 8, 4, 4, 2, 3},
    {"Alho Poró", "Alh", 5, "16 / m2", 16, 6, 4, 4, 4},
    {"Agrião", "Agr", 1, "16 / m2", 12, 5, 4, 3, 1},
    {"Couve", "Cou", 1, "4 / m2", 24, 5, 12, 2, 1},
    {"Espinafre", "Esp", 3, "12 / m2", 16, 5, 8, 2, 400},
    {"Quiabo", "Qui", 8, "4 / m2", 24, 0, 8, 3, 500},
    {"Rúcula", "Rúc", 1, "16 / m2", 10, 0, 5, 2, 1},
    {"Cenoura", "Cen", 2, "30 / m2", 14, 0, 2, 7, 1},
    {"Beterraba", "Bet", 3, "16 / m2", 12, 0, 3, 4, 700},
    {"Nabo", "Nab", 1, "16 / m2", 10, 0, 2, 5, 1},
    {"Rabanete", "Rab", 1, "30 / m2", 6, 0, 3, 2, 1},
    {"Cheiro Verde", "Che", 9, "16 / m2", 24, 6, 12, 2, 1},
    {"Tomate", "Tom", 7, "1 / m2", 16, 5, 4, 4, 500},
    {"Pimentão", "Pim", 7, "4 / m2", 20, 6, 10, 2, 400},
    {"Berinjela", "Bjl", 7, "1 / m2", 24, 8, 12, 2, 500},
    {"Repolho", "Rep", 1, "4 / m2", 12, 5, 4, 3, 1},
    {"Brocolis", "Bro", 1, "4 / m2", 12, 5, 4, 3, 1},
    {"Couve Flor", "Flo", 1, "4 / m2", 16, 5, 4, 4, 1},
    {"Vagem", "Vgm", 6, "8 / m2", 12, 0, 3, 4, 400},
    {"Pepino", "Pep", 7, "8 / m2", 12, 0, 4, 3, 400},
};

constexpr const char* familias[n_familias] = {
    "",
    "BRASSICAS",
    "APIÁCEAS",
    "QUENOPODIÁCEAS",
    "CHICOREÁCEA",
    "LILIÁCEA",
    "LEGUMINOSAE",
    "CURCUBITÁCIA",
    "MALVÁCEA",
    "APIÁCEAS/LILIÁCEAS",
    "",
};

constexpr const char* tratos[][2] = {
    {"PLD", "Plantio Direto"},
    {"TR", "Transplante"},
    {"PLS", "Plantio em Sementeira"},
    {"LI", "Limpeza"},
    {"REP", "Reposição"},
    {"AM", "Amontoa"},
    {"COP", "Colheita Parcial"},
    {"COF", "Colheita Final"},
    {"DES", "Desbaste"},
};

// A run of calendar entries: one entry of the activity for each week from
// `de` to `ate`.
struct Trecho {
    int de;
    int ate;
    int trato;
};
constexpr Trecho em(int semana, int trato) { return {semana, semana, trato}; }
constexpr Trecho de_a(int de, int ate, int trato) { return {de, ate, trato}; }

void preenche(calendario& cal, int cult, std::initializer_list<Trecho> trechos) {
    int entrada = 0;
    for (const Trecho& t : trechos)
        for (int semana = t.de; semana <= t.ate; ++semana)
            cal[cult][entrada++] = EntradaCalendario{semana, t.trato, true};
}

void monta_calendario_horta(calendario& c) {
    preenche(c, cod_alface, {em(0, trato_tr), em(1, trato_rep), em(2, trato_li), em(4, trato_am),
                             em(6, trato_cop), em(7, trato_cof)});
    preenche(c, cod_chicoria, {em(0, trato_tr), em(1, trato_rep), em(2, trato_li), em(3, trato_am),
                               de_a(4, 6, trato_cop), em(7, trato_cof)});
    preenche(c, cod_alho_poro, {em(0, trato_tr), em(2, trato_rep), em(4, trato_li), em(7, trato_am),
                                de_a(12, 14, trato_cop), em(15, trato_cof)});
    preenche(c, cod_agriao, {em(0, trato_tr), em(1, trato_rep), em(2, trato_li), em(4, trato_am),
                             de_a(8, 10, trato_cop), em(11, trato_cof)});
    preenche(c, cod_couve, {em(0, trato_tr), em(3, trato_li), em(7, trato_am), de_a(9, 22, trato_cop),
                            em(23, trato_cof)});
    preenche(c, cod_espinafre, {em(0, trato_tr), em(2, trato_li), em(4, trato_am),
                                de_a(8, 14, trato_cop), em(15, trato_cof)});
    preenche(c, cod_quiabo, {em(0, trato_pld), em(4, trato_des), em(8, trato_am),
                             de_a(10, 22, trato_cop), em(23, trato_cof)});
    preenche(c, cod_rucula, {em(0, trato_pld), em(2, trato_des), em(4, trato_am), de_a(5, 8, trato_cop),
                             em(9, trato_cof)});
    preenche(c, cod_cenoura, {em(0, trato_pld), em(2, trato_li), em(4, trato_des), em(8, trato_am),
                              em(12, trato_cop), em(13, trato_cof)});
    preenche(c, cod_beterraba, {em(0, trato_pld), em(2, trato_li), em(4, trato_des), em(7, trato_am),
                                de_a(9, 10, trato_cop), em(11, trato_cof)});
    preenche(c, cod_nabo, {em(0, trato_pld), em(2, trato_des), em(5, trato_am), em(8, trato_cop),
                           em(9, trato_cof)});
    preenche(c, cod_rabanete, {em(0, trato_pld), em(2, trato_des), em(3, trato_am), em(4, trato_cop),
                               em(5, trato_cof)});
    preenche(c, cod_cheiro_verde, {em(0, trato_tr), em(3, trato_li), em(7, trato_am),
                                   de_a(10, 22, trato_cop), em(23, trato_cof)});
    preenche(c, cod_tomate, {em(0, trato_tr), em(2, trato_rep), em(4, trato_li), em(6, trato_am),
                             em(10, trato_am), de_a(12, 14, trato_cop), em(15, trato_cof)});
    preenche(c, cod_pimentao, {em(0, trato_tr), em(2, trato_rep), em(5, trato_am), de_a(8, 18, trato_cop),
                               em(19, trato_cof)});
    preenche(c, cod_berinjela, {em(0, trato_tr), em(2, trato_rep), em(5, trato_am), em(10, trato_li),
                                de_a(12, 22, trato_cop), em(23, trato_cof)});
    preenche(c, cod_repolho, {em(0, trato_tr), em(1, trato_rep), em(2, trato_li), em(5, trato_am),
                              de_a(8, 10, trato_cop), em(11, trato_cof)});
    preenche(c, cod_brocolis, {em(0, trato_tr), em(2, trato_li), em(5, trato_am), em(7, trato_am),
                               de_a(8, 10, trato_cop), em(11, trato_cof)});
    preenche(c, cod_couve_flor, {em(0, trato_tr), em(1, trato_rep), em(2, trato_li), em(5, trato_am),
                                 em(9, trato_li), de_a(12, 14, trato_cop), em(15, trato_cof)});
    preenche(c, cod_vagem, {em(0, trato_pld), em(3, trato_des), em(7, trato_am), de_a(9, 10, trato_cop),
                            em(11, trato_cof)});
    preenche(c, cod_pepino, {em(0, trato_pld), em(3, trato_des), em(6, trato_am), de_a(8, 10, trato_cop),
                             em(11, trato_cof)});
}

void monta_calendario_sementeira(calendario& c) {
    preenche(c, cod_alface, {em(0, trato_pls), em(2, trato_li), em(4, trato_tr)});
    preenche(c, cod_chicoria, {em(0, trato_pls), em(2, trato_li), em(4, trato_tr)});
    preenche(c, cod_alho_poro, {em(0, trato_pls), em(2, trato_li), em(4, trato_des), em(6, trato_tr)});
    preenche(c, cod_agriao, {em(0, trato_pls), em(1, trato_li), em(3, trato_des), em(5, trato_tr)});
    preenche(c, cod_couve, {em(0, trato_pls), em(2, trato_li), em(3, trato_des), em(5, trato_tr)});
    preenche(c, cod_espinafre, {em(0, trato_pls), em(2, trato_li), em(5, trato_tr)});
    preenche(c, cod_cheiro_verde, {em(0, trato_pls), em(2, trato_li), em(4, trato_des), em(6, trato_tr)});
    preenche(c, cod_tomate, {em(0, trato_pls), em(2, trato_li), em(5, trato_tr)});
    preenche(c, cod_pimentao, {em(0, trato_pls), em(2, trato_li), em(3, trato_des), em(6, trato_tr)});
    preenche(c, cod_berinjela, {em(0, trato_pls), em(2, trato_li), em(4, trato_des), em(8, trato_tr)});
    preenche(c, cod_repolho, {em(0, trato_pls), em(2, trato_li), em(3, trato_des), em(5, trato_tr)});
    preenche(c, cod_brocolis, {em(0, trato_pls), em(2, trato_li), em(3, trato_des), em(5, trato_tr)});
    preenche(c, cod_couve_flor, {em(0, trato_pls), em(2, trato_li), em(3, trato_des), em(5, trato_tr)});
}

Catalogo monta_catalogo() {
    Catalogo c;
    for (int k = 0; k < n_codigos; ++k) {
        const LinhaFicha& f = fichas[k];
        c.nome_cult[k] = f.nome;
        c.sigla_cult[k] = f.sigla;
        c.fam_cult[k] = f.familia;
        c.dens_cult[k] = f.densidade;
        c.ciclo_cult[k] = f.ciclo;
        c.sem_cult[k] = f.sementeira;
        c.interv_cult[k] = f.intervalo;
        c.plantios_cult[k] = f.plantios;
        c.qt_por_leito[k] = f.quantidade;
    }
    for (int f = 0; f < n_familias; ++f) c.nome_fam[f] = familias[f];
    for (std::size_t t = 0; t < std::size(tratos); ++t) {
        c.cod_trato[t][0] = tratos[t][0];
        c.cod_trato[t][1] = tratos[t][1];
    }
    monta_calendario_horta(c.tratos_horta);
    monta_calendario_sementeira(c.tratos_sem);
    return c;
}

// First entry whose age equals the given age; an entry never filled counts
// as age 0 and activity 0, so a crop without a calendar in the table answers
// "PLD" at age 0 and nothing at other ages.
std::string consulta(const calendario& cal, int cult, int idade) {
    if (cult <= 0 || cult > n_culturas) return {};
    const Catalogo& c = catalogo();
    for (const EntradaCalendario& e : cal[cult]) {
        if (e.idade == idade) {
            if (e.trato < 0 || e.trato >= n_tratos) return {};
            return c.cod_trato[e.trato][0];
        }
    }
    return {};
}

}  // namespace

const Catalogo& catalogo() {
    static const Catalogo c = monta_catalogo();
    return c;
}

void inicia_culturas() {
    EstadoHorta& h = horta();
    h.data_real = platform::Now();
    h.data_agenda = h.data_real;
    catalogo();
}

std::string trato_horta(int cult, int idade) { return consulta(catalogo().tratos_horta, cult, idade); }

std::string trato_sem(int cult, int idade) { return consulta(catalogo().tratos_sem, cult, idade); }

bool e_cultura_sementeira(int cult) { return e_cultura(cult) && catalogo().sem_cult[cult] > 0; }

}  // namespace model
