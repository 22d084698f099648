#include "garden/paleta.h"


namespace garden {

namespace {

constexpr const char* kTransplantar = "A quantidade de canteiros que devem ser transplantados na horta";
constexpr const char* kPlantar = "A quantidade de canteiros que devem ser plantados na horta";
constexpr const char* kPlantada = "A quantidade de canteiros que deve ser plantada na horta";

const std::array<EntradaPaleta, n_paleta> kPaleta{{
    {"c_alf", 1, "Alface", 5430, 570, 5880, 570, "\\anima\\AZ_ALF.bmp", "\\anima\\AZ_alf.bmp", true,
     " leito(s) de Alface", "\\alface.wav", "\\anima\\az_alf.bmp", kTransplantar},
    {"c_chi", 2, "Chicória", 6030, 570, 6450, 570, "\\anima\\AZ_CHI.bmp", "\\anima\\AZ_chi.bmp", true,
     " leito(s) de Chicória", "\\chicoria.wav", "\\anima\\az_chi.bmp", kTransplantar},
    {"c_che", 13, "Cheiro-Verde (Salsa & Cebolinha)", 8190, 1260, 8640, 1260, "\\anima\\AZ_CHE.bmp",
     "\\anima\\AZ_che.bmp", true, " leito(s) de Cheiro Verde", "\\cheiro.wav", "\\anima\\az_che.bmp",
     kTransplantar},
    {"c_agr", 4, "Agrião", 7260, 570, 7680, 570, "\\anima\\AZ_agr.bmp", "\\anima\\AZ_agr.bmp", true,
     " leito(s) de Agrião", "\\agriao.wav", "\\anima\\az_agr.bmp", kTransplantar},
    {"c_cou", 5, "Couve", 7860, 570, 8280, 570, "\\anima\\AZ_COU.bmp", "\\anima\\AZ_cou.bmp", true,
     " leito(s) de Couve", "\\couve.wav", "\\anima\\az_cou.bmp", kTransplantar},
    {"c_esp", 6, "Espinafre", 8460, 570, 8880, 570, "\\anima\\AZ_ESP.bmp", "\\anima\\AZ_esp.bmp", true,
     " leito(s) de Espinafre", "\\espinafr.wav", "\\anima\\az_esp.bmp", kTransplantar},
    {"c_ber", 7, "Quiabo", 2340, 570, 2790, 570, "\\anima\\AZ_qui.bmp", "\\anima\\AZ_qui.bmp", false,
     " leito(s) de Quiabo", "\\quiabo.wav", "\\anima\\az_qui.bmp", kPlantar},
    {"c_ruc", 8, "Rúcula", 2940, 570, 3390, 570, "\\anima\\AZ_RUC.bmp", "\\anima\\AZ_RUC.bmp", false,
     " leito(s) de Rúcula", "\\rucula.wav", "\\anima\\az_ruc.bmp", kPlantar},
    {"c_cen", 9, "Cenoura", 3540, 570, 3990, 570, "\\anima\\AZ_CEN.bmp", "\\anima\\AZ_CEN.bmp", false,
     " leito(s) de Cenoura", "\\cenoura.wav", "\\anima\\az_cen.bmp", kPlantar},
    {"c_bet", 10, "Beterraba", 4140, 570, 4560, 570, "\\anima\\AZ_BET.bmp", "\\anima\\AZ_BET.bmp", false,
     " leito(s) de Beterraba", "\\beterrab.wav", "\\anima\\az_bet.bmp", kPlantar},
    {"c_nab", 11, "Nabo", 2340, 1260, 2790, 1260, "\\anima\\AZ_NAB.bmp", "\\anima\\AZ_NAB.bmp", false,
     " leito(s) de Nabo", "\\nabo.wav", "\\anima\\az_nab.bmp", kPlantar},
    {"c_rab", 12, "Rabanete", 2940, 1260, 3390, 1260, "\\anima\\AZ_RAB.bmp", "\\anima\\AZ_RAB.bmp", false,
     " leito(s) de Rabanete", "\\rabanete.wav", "\\anima\\az_rab.bmp", kPlantar},
    {"c_tom", 14, "Tomate", 9060, 570, 9480, 570, "\\anima\\AZ_TOM.bmp", "\\anima\\AZ_tom.bmp", true,
     " leito(s) de Tomate", "\\tomate.wav", "\\anima\\az_tom.bmp", kTransplantar},
    {"c_pim", 15, "Pimentão", 5670, 1260, 6120, 1260, "\\anima\\AZ_PIM.bmp", "\\anima\\AZ_pim.bmp", true,
     " leito(s) de Pimentão", "\\pimentao.wav", "\\anima\\az_pim.bmp", kTransplantar},
    {"c_bgl", 16, "Beringela", 7560, 1260, 8010, 1260, "\\anima\\AZ_BGL.bmp", "\\anima\\AZ_bgl.bmp", true,
     " leito(s) de Berinjela", "\\beringel.wav", "\\anima\\az_bgl.bmp", kTransplantar},
    {"c_rep", 17, "Repolho", 6930, 1260, 7380, 1260, "\\anima\\AZ_REP.bmp", "\\anima\\AZ_rep.bmp", true,
     " leito(s) de Repolho", "\\repolho.wav", "\\anima\\az_rep.bmp", kTransplantar},
    {"c_bro", 18, "Brócolis", 6300, 1260, 6750, 1260, "\\anima\\AZ_BRO.bmp", "\\anima\\AZ_bro.bmp", true,
     " leito(s) de Brócolis", "\\brocolis.wav", "\\anima\\az_bro.bmp", kTransplantar},
    {"c_flo", 19, "Couve-Flor", 6660, 570, 7080, 570, "\\anima\\AZ_FLO.bmp", "\\anima\\AZ_flo.bmp", true,
     " leito(s) de Couve Flor", "\\cflor.wav", "\\anima\\az_flo.bmp", kTransplantar},
    {"c_vgm", 20, "Vagem", 3540, 1260, 3990, 1260, "\\anima\\AZ_VGM.bmp", "\\anima\\AZ_VGM.bmp", false,
     " leito(s) de Vagem", "\\vagem.wav", "\\anima\\az_vgm.bmp", kPlantar},
    {"c_pep", 21, "Pepino", 4140, 1260, 4575, 1260, "\\anima\\AZ_PEP.bmp", "\\anima\\AZ_PEP.bmp", false,
     " leito(s) de Pepino", "\\pepino.wav", "\\anima\\az_pep.bmp", kPlantada},
    {"c_alh", 3, "Alho-Poró", 8820, 1260, 9270, 1260, "\\anima\\AZ_POR.bmp", "\\anima\\AZ_POR.bmp", true,
     " leito(s) de Alho Poró", "\\alho.wav", "\\anima\\az_por.bmp", kTransplantar},
}};

}  // namespace

const std::array<EntradaPaleta, n_paleta>& paleta() { return kPaleta; }

std::int16_t FF_horta(std::int16_t cultura) {
    if (cultura == 0) return 21;
    for (int k = 0; k < n_paleta; ++k)
        if (kPaleta[k].cultura == cultura) return static_cast<std::int16_t>(k);
    return 0;
}

std::int16_t supertreme(std::int16_t cultura) {
    if (cultura == 0) return 0;
    return FF_horta(cultura);
}

const EntradaPaleta* entrada_da_cultura(std::int16_t cultura) {
    for (const auto& e : kPaleta)
        if (e.cultura == cultura) return &e;
    return nullptr;
}

std::string figura_canteiro(std::int16_t cultura) {
    const EntradaPaleta* e = entrada_da_cultura(cultura);
    return e ? e->icone_canteiro : std::string();
}

std::string nome_na_explicacao(const EntradaPaleta& e) {
    static const std::string prefixo = " leito(s) de ";
    std::string t = e.texto_cultura;
    return t.rfind(prefixo, 0) == 0 ? t.substr(prefixo.size()) : t;
}

std::string explicacao_contador(const EntradaPaleta& e, const std::string& texto_contador) {
    return std::string(e.transplanta ? "Voce deve transplantar " : "Voce deve plantar ") + texto_contador +
           e.texto_cultura;
}

}  // namespace garden
