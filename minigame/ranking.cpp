#include "minigame/ranking.h"

#include <memory>

#include "minigame/estado.h"
#include "model/estado.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/paths.h"
#include "platform/schema.h"
#include "platform/text.h"

namespace minigame {

namespace {

// The ranking table, the one table of the ranking database.
[[maybe_unused]] const bool tabela_registrada = platform::RegisterTables(
    arq_ranking,
    {{tabela_ranking, {{"peq_gra", "TEXT"}, {"tipo", "TEXT"}, {"nome", "TEXT"}, {"valor", "TEXT"}, {"dta", "TEXT"}}}});

using platform::Recordset;

// The table opened in the store's order. The database closes after the
// recordset (members are destroyed in reverse order).
struct TabelaRanking {
    std::unique_ptr<platform::Database> db;
    std::unique_ptr<Recordset> rs;

    TabelaRanking() {
        db = platform::Workspace::Default().OpenDatabase(caminho_ranking());
        rs = db->OpenRecordset(tabela_ranking, {"valor"});
    }
};

std::string campo(const Recordset& rs, const char* nome) { return rs.Fields(nome).ToString(); }

// The last five characters of "00000" followed by the trimmed score text,
// or nothing when the text has more than five characters (its leading
// digits would be lost and a long game would pass for a short one).
std::optional<std::string> cinco_caracteres(const std::string& texto) {
    const std::string t = platform::Trim(texto);
    if (platform::Len(t) > 5) return std::nullopt;
    return platform::Right("00000" + t, 5);
}

// The check shared by both kinds: walks the rows of the kind in the store's
// order and finds the 1-based place of the first row the score beats, or the
// place behind the last row while the kind holds fewer than five rows.
template <class Menor>
bool testa_rank(const std::string& tipo, int& posicao, Menor menor_que) {
    const auto& e = jogo();
    posicao = 0;
    bool entra = false;
    int contador = 0;
    TabelaRanking t;
    Recordset& rs = *t.rs;
    if (rs.RecordCount() == 0) {
        entra = true;
    } else {
        rs.MoveFirst();
        while (!rs.EOF_() && !entra) {
            if (campo(rs, "peq_gra") == e.jogo_peq_gra && campo(rs, "tipo") == tipo) {
                if (menor_que(platform::Trim(campo(rs, "valor")))) entra = true;
                ++contador;
                ++posicao;
            }
            rs.MoveNext();
        }
        if (contador == 0) entra = true;
    }
    if (!entra) {
        if (posicao < tamanho_ranking) {
            ++posicao;
            entra = true;
        } else {
            posicao = sem_posicao;
        }
    }
    return entra;
}

// Adds the entry and cuts the kind back to its five best rows, all in one
// transaction: a failure leaves the table as it was.
void grava_rank(const std::string& tipo_gravado, const std::string& tipo_cortado, const std::string& valor) {
    const auto& e = jogo();
    TabelaRanking t;
    Recordset& rs = *t.rs;
    t.db->BeginTrans();
    rs.AddNew();
    rs.SetField("peq_gra", e.jogo_peq_gra);
    rs.SetField("tipo", tipo_gravado);
    rs.SetField("nome", e.nome_jogador);
    rs.SetField("valor", valor);
    rs.SetField("dta", platform::FormatDate(platform::Now(), "dd/mm/yy"));
    rs.Update();
    rs.Requery();
    int contador = 0;
    if (rs.RecordCount() > 0) rs.MoveFirst();
    while (!rs.EOF_()) {
        if (campo(rs, "peq_gra") == e.jogo_peq_gra && campo(rs, "tipo") == tipo_cortado) {
            if (++contador > tamanho_ranking) rs.Delete();
        }
        rs.MoveNext();
    }
    t.db->CommitTrans();
}

}  // namespace

std::string caminho_ranking() { return platform::ProgramFolder() + arq_ranking; }

std::optional<std::string> valor_do_tempo(const std::string& texto_relogio) {
    std::string t = platform::Trim(texto_relogio);
    if (t == ":") t = "0:00";  // the clock had not ticked yet
    return cinco_caracteres(t);
}

std::optional<std::string> valor_dos_cliques(const std::string& texto_contador) {
    return cinco_caracteres(texto_contador);
}

bool testa_rank_tempo(const std::string& texto_relogio) {
    auto& e = jogo();
    const auto valor = valor_do_tempo(texto_relogio);
    if (!valor) {
        e.pos_tempo = sem_posicao;
        return false;
    }
    return testa_rank(model::sessao().tipo_tempo, e.pos_tempo,
                      [&](const std::string& da_linha) { return *valor < da_linha; });
}

bool testa_rank_cliques(const std::string& texto_contador) {
    auto& e = jogo();
    if (!valor_dos_cliques(texto_contador)) {
        e.pos_cliques = sem_posicao;
        return false;
    }
    const double cliques = platform::Val(texto_contador);
    return testa_rank(model::sessao().tipo_cliques, e.pos_cliques,
                      [&](const std::string& da_linha) { return cliques < platform::Val(da_linha); });
}

void grava_rank_tempo(const std::string& texto_relogio) {
    if (const auto valor = valor_do_tempo(texto_relogio)) grava_rank("1", model::sessao().tipo_tempo, *valor);
}

void grava_rank_cliques(const std::string& texto_contador) {
    if (const auto valor = valor_dos_cliques(texto_contador)) grava_rank("2", model::sessao().tipo_cliques, *valor);
}

std::vector<registro_gm> le_ranking() {
    std::vector<registro_gm> linhas;
    TabelaRanking t;
    Recordset& rs = *t.rs;
    if (rs.RecordCount() == 0) return linhas;
    for (rs.MoveFirst(); !rs.EOF_(); rs.MoveNext())
        linhas.push_back({campo(rs, "peq_gra"), campo(rs, "tipo"), campo(rs, "nome"), campo(rs, "valor"),
                          campo(rs, "dta")});
    return linhas;
}

int zera_ranking(const std::string& peq_gra) {
    TabelaRanking t;
    Recordset& rs = *t.rs;
    int apagadas = 0;
    if (rs.RecordCount() == 0) return 0;
    t.db->BeginTrans();
    rs.MoveFirst();
    while (!rs.EOF_()) {
        if (campo(rs, "peq_gra") == peq_gra) {
            rs.Delete();
            ++apagadas;
        }
        rs.MoveNext();
    }
    t.db->CommitTrans();
    return apagadas;
}

std::string mostra_tempo(const std::string& valor) {
    if (platform::Left(valor, 1) == "0") return platform::Right(valor, 4);
    return valor;
}

std::string mostra_cliques(const std::string& valor) { return platform::NumText(platform::Val(valor)); }

}  // namespace minigame
