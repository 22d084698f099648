#pragma once
// The eight activity lists of the week: which lines each holds (pending order
// lines, garden beds and seedbed lots whose calendar gives the activity at
// their present age), their texts, and their line counts.

#include <cstdint>
#include <string>
#include <vector>

#include "agenda/pendencias.h"

namespace agenda {

// The lists, in the order of the report groups' sources.
enum class Lista { PLD, PLS, TR, LI, DES, AM, COP, COF };
inline constexpr int n_listas = 8;

// One line of a list: c1 the crop, c2 the quantity or garden bed (the sowing
// list: "1x" or the seedbed lot), c22 the seedbed lot, c3 the crop's density.
// A column that the line does not fill is empty.
struct LinhaLista {
    std::string c1, c2, c22, c3;
    bool operator==(const LinhaLista&) const = default;
};

// Number of garden cells whose calendar gives `trato` this week.
std::int16_t qt_tratos(const std::string& trato);
// Number of seedbed lots whose calendar gives `trato` this week.
std::int16_t qt_sem_tratos(const std::string& trato);

// A quantity of beds as the lists show it: " 2m".
std::string texto_quantidade(double qt);

// Every line of a list, in list order. PLD, PLS and TR read the pending lists.
std::vector<LinhaLista> linhas_lista(Lista l, const Pendencias& p);

// The line count of a list as the scroll ranges and the report use it.
int contagem_lista(Lista l, const Pendencias& p);

// The full lists as the report tables copy them: per list, its columns as
// parallel text arrays, line j in element j. Each array holds at least 51
// elements and grows with a longer list, so no line is ever cut off.
struct ListasRelatorio {
    std::vector<std::string> rel_pld1, rel_pld2, rel_pld3;
    std::vector<std::string> rel_pls1, rel_pls2;
    std::vector<std::string> rel_tr1, rel_tr2, rel_tr22, rel_tr3;
    std::vector<std::string> rel_li1, rel_li2, rel_li22;
    std::vector<std::string> rel_des1, rel_des2, rel_des22;
    std::vector<std::string> rel_amo1, rel_amo2;
    std::vector<std::string> rel_cop1, rel_cop2;
    std::vector<std::string> rel_cof1, rel_cof2;

    ListasRelatorio();
    // Rewrites the arrays of one list from its lines.
    void grava(Lista l, const std::vector<LinhaLista>& linhas);
};

inline constexpr int linhas_minimas_relatorio = 51;

}  // namespace agenda
