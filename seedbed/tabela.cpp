#include "seedbed/tabela.h"

#include <cstdio>

#include "model/catalogo.h"
#include "shell/navegacao.h"

namespace seedbed {

namespace {

constexpr std::array<CulturaSementeira, n_slots> kCulturas{{
    {"c_alf", model::cod_alface, "\\anima\\az_alf.bmp", "Alface", 3090, 930, 3540, 930, "Alface",
     "Voce deve plantar 1 lote de Alface na sementeira", "\\alface.wav"},
    {"c_chi", model::cod_chicoria, "\\anima\\az_chi.bmp", "Chicória", 4170, 930, 4650, 930, "Chicória",
     "Voce deve plantar 1 lote de Chicória na sementeira", "\\chicoria.wav"},
    {"c_che", model::cod_cheiro_verde, "\\anima\\az_che.bmp", "Cheiro-Verda (Salsa & Cebolinha)", 7860, 1695, 8310,
     1710, "Cheiro-Verde", "Voce deve plantar 1 lote de Cheiro-Verde na sementeira", "\\cheiro.wav"},
    {"c_agr", model::cod_agriao, "\\anima\\az_agr.bmp", "Agrião", 6450, 930, 6960, 930, "Agrião",
     "Voce deve plantar 1 lote de Agrião na sementeira", "\\agriao.wav"},
    {"c_cou", model::cod_couve, "\\anima\\az_cou.bmp", "Couve", 7560, 930, 8040, 930, "Couve",
     "Voce deve plantar 1 lote de Couve na sementeira", "\\couve.wav"},
    {"c_esp", model::cod_espinafre, "\\anima\\az_esp.bmp", "Espinafre", 8640, 930, 9135, 930, "Espinhafre",
     "Voce deve plantar 1 lote de Espinafre na sementeira", "\\espinafr.wav"},
    {"c_tom", model::cod_tomate, "\\anima\\az_tom.bmp", "Tomate", 2340, 1695, 2790, 1710, "Tomate",
     "Voce deve plantar 1 lote de Tomate na sementeira", "\\tomate.wav"},
    {"c_pim", model::cod_pimentao, "\\anima\\az_pim.bmp", "Pimentão", 3420, 1695, 3840, 1710, "Pimentão",
     "Voce deve plantar 1 lote de Pimentão na sementeira", "\\pimentao.wav"},
    {"c_bgl", model::cod_berinjela, "\\anima\\az_bgl.bmp", "Beringela", 4530, 1695, 4950, 1710, "Beringela",
     "Voce deve plantar 1 lote de Beringela na sementeira", "\\beringel.wav"},
    {"c_rep", model::cod_repolho, "\\anima\\az_rep.bmp", "Repolho", 5640, 1695, 6090, 1710, "Repolho",
     "Voce deve plantar 1 lote de Repolho na sementeira", "\\repolho.wav"},
    {"c_bro", model::cod_brocolis, "\\anima\\az_bro.bmp", "Brócolis", 6750, 1695, 7230, 1710, "Brocólis",
     "Voce deve plantar 1 lote de Brócolis na sementeira", "\\brocolis.wav"},
    {"c_flo", model::cod_couve_flor, "\\anima\\az_flo.bmp", "Couve-Flôr", 5310, 930, 5790, 930, "Couve-Flor",
     "Voce deve plantar 1 lote de Couve-Flor na sementeira", "\\cflor.wav"},
    {"c_alh", model::cod_alho_poro, "\\anima\\az_por.bmp", "Alho-Poró", 8910, 1695, 9345, 1710, "Alho-Poró",
     "Voce deve plantar 1 lote de Alho-Poró sementeira", "\\alho.wav"},
}};

}  // namespace

const std::array<CulturaSementeira, n_slots>& culturas_sementeira() { return kCulturas; }

std::optional<std::int16_t> FF_SEM(std::int16_t cultura) {
    for (std::int16_t k = 0; k < n_slots; ++k)
        if (kCulturas[k].cultura == cultura) return k;
    return std::nullopt;
}

std::string figura_crescimento(int cultura, int idade) {
    if (cultura > 0) return "\\anima\\cresce" + std::to_string(idade) + ".bmp";
    return "\\anima\\crescepb.bmp";
}

std::string quadro_botao_horta(int posicao) {
    if (posicao < 1 || posicao > ciclo_botao_horta) return {};
    return shell::quadro_anima("enx", posicao - 1);
}

}  // namespace seedbed
