#include "agenda/tabelas_relatorio.h"

#include <memory>
#include <optional>

#include "model/modelo.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/schema.h"
#include "platform/text.h"

namespace agenda {

namespace {

std::vector<platform::ColumnDef> colunas_mapa() {
    std::vector<platform::ColumnDef> cols{{"ordem", "TEXT"}};
    for (int c = 1; c <= model::n_colunas_horta; ++c) {
        const std::string n = std::to_string(c);
        for (const char* campo : {"cult", "idade", "trato", "p_fim"}) cols.push_back({campo + n, "TEXT"});
    }
    return cols;
}

// The three report tables this file rewrites, kept in the game database.
[[maybe_unused]] const bool tabelas_registradas = platform::RegisterTables(
    model::arq_banco, {
                          {"relat",
                           {{"hs", "INTEGER"},
                            {"ord", "INTEGER"},
                            {"trato", "TEXT"},
                            {"aonde", "TEXT"},
                            {"cultura", "TEXT"},
                            {"sem", "INTEGER"},
                            {"cabec1", "TEXT"}}},
                          {"rr", {{"mod", "TEXT"}, {"cult", "TEXT"}, {"fam", "TEXT"}, {"ucult", "TEXT"}, {"ufam", "TEXT"}}},
                          {"mapa_horta", colunas_mapa()},
                      });

// One group of the table "relat": a section, a group number, the activity
// name and where its lines come from.
struct GrupoRelat {
    int hs;
    int ord;
    const char* trato;
    int n;                                   // list lines scanned
    const std::vector<std::string>* aonde;
    const std::vector<std::string>* cultura;
    const std::vector<std::string>* densidade;  // appended to cultura between abre and fecha
    bool so_com_aonde;                       // only lines whose aonde is not empty
    // The planting lines write "Alface (12 / m2)", the transplant lines
    // "Alface  ( 12 / m2 )"; the report prints both the one way.
    const char* abre = " (";
    const char* fecha = ")";
};

const std::string& elemento(const std::vector<std::string>& v, int i) {
    static const std::string vazio;
    return i >= 0 && static_cast<std::size_t>(i) < v.size() ? v[i] : vazio;
}

void apaga_tudo(platform::Recordset& rs) {
    if (!rs.EOF_()) {
        rs.MoveFirst();
        while (!rs.EOF_()) {
            rs.Delete();
            rs.MoveNext();
        }
    }
}

std::string nome_ou_livre(int cult) {
    const auto& c = model::catalogo();
    return model::e_cultura(cult) ? c.nome_cult[cult] : "Livre";
}

std::string familia_ou_livre(int cult) {
    const auto& c = model::catalogo();
    if (!model::e_cultura(cult)) return "Livre";
    const int f = c.fam_cult[cult];
    return f >= 0 && f < model::n_familias ? c.nome_fam[f] : "Livre";
}

// The week (year and week number) the tables were last written for; empty
// before the first rewrite and after a failed one.
struct SemanaGravada {
    int ano;
    int semana;
    bool operator==(const SemanaGravada&) const = default;
};
std::optional<SemanaGravada> semana_gravada;

SemanaGravada semana_de(platform::DateTime data) { return {platform::Year(data), platform::WeekOfYear(data)}; }

}  // namespace

bool tabelas_da_semana(platform::DateTime data_agenda) {
    return semana_gravada && *semana_gravada == semana_de(data_agenda);
}

bool prepara_relat(const ListasRelatorio& rel, const Pendencias& p, std::string* erro) {
    const auto& h = model::horta();
    const auto& c = model::catalogo();
    const int semana = platform::WeekOfYear(h.data_agenda);
    auto soma = [](int a, int b) { return static_cast<std::int16_t>(a + b); };

    const GrupoRelat grupos[] = {
        {0, 0, "Plantio", soma(p.qt_pld, qt_tratos("PLD")), &rel.rel_pld2, &rel.rel_pld1, &rel.rel_pld3, false},
        {0, 1, "Transplante", soma(qt_sem_tratos("TR"), qt_tratos("TR")), &rel.rel_tr2, &rel.rel_tr1, &rel.rel_tr3, true,
         "  ( ", " )"},
        {0, 2, "Limpeza", soma(qt_tratos("LI"), qt_sem_tratos("LI")), &rel.rel_li2, &rel.rel_li1, nullptr, true},
        {0, 3, "Desbaste", soma(qt_tratos("DES"), qt_sem_tratos("DES")), &rel.rel_des2, &rel.rel_des1, nullptr, true},
        {0, 4, "Amontoa", qt_tratos("AM"), &rel.rel_amo2, &rel.rel_amo1, nullptr, false},
        {0, 5, "Colheita Parcial", qt_tratos("COP"), &rel.rel_cop2, &rel.rel_cop1, nullptr, false},
        {0, 6, "Colheita Final", qt_tratos("COF"), &rel.rel_cof2, &rel.rel_cof1, nullptr, false},
        {1, 0, "Plantio em Sementeira", soma(p.qt_pls, qt_sem_tratos("PLS")), &rel.rel_pls2, &rel.rel_pls1, nullptr, false},
        {1, 1, "Transplante", qt_sem_tratos("TR"), &rel.rel_tr22, &rel.rel_tr1, nullptr, false},
        {1, 2, "Limpeza", qt_sem_tratos("LI"), &rel.rel_li22, &rel.rel_li1, nullptr, false},
        {1, 3, "Desbaste", qt_sem_tratos("DES"), &rel.rel_des22, &rel.rel_des1, nullptr, false},
    };

    // Whatever happens below, the tables no longer hold a known week until the
    // rewrite has been committed.
    semana_gravada.reset();
    const char* tabela = "relat";
    try {
        auto db = platform::Workspace::Default().OpenDatabase(model::caminho_banco());
        // The tables are made again from the garden whenever they are needed:
        // no need to wait for the disk while the agenda opens.
        db->SetDurable(false);
        // One transaction for the three tables: a failure in any of them
        // leaves all three as they were (closing the database without a
        // commit rolls it back).
        db->BeginTrans();

        // The week's activities.
        {
            auto rs = db->OpenRecordset("relat");
            apaga_tudo(*rs);
            for (const GrupoRelat& g : grupos) {
                for (int i = 0; i < g.n; ++i) {
                    const std::string& aonde = elemento(*g.aonde, i);
                    if (g.so_com_aonde && aonde.empty()) continue;
                    std::string cultura = elemento(*g.cultura, i);
                    if (g.densidade && !elemento(*g.densidade, i).empty())
                        cultura += g.abre + elemento(*g.densidade, i) + g.fecha;
                    rs->AddNew();
                    rs->SetField("hs", g.hs);
                    rs->SetField("ord", g.ord);
                    rs->SetField("trato", g.trato);
                    rs->SetField("aonde", aonde);
                    rs->SetField("cultura", cultura);
                    rs->SetField("sem", semana);
                    rs->SetField("cabec1", g.hs == 0 ? "HORTA" : "SEMENTEIRA");
                    rs->Update();
                }
            }
            rs->Close();
        }

        // The free beds and their last two crops.
        tabela = "rr";
        {
            auto rs = db->OpenRecordset("rr");
            apaga_tudo(*rs);
            for (int i = 0; i < model::n_canteiros; ++i) {
                if (h.cult_can[i] != model::nenhuma) continue;
                rs->AddNew();
                rs->SetField("mod", model::nome_canteiro(i));
                rs->SetField("cult", nome_ou_livre(h.ult_cult[i]));
                rs->SetField("fam", familia_ou_livre(h.ult_cult[i]));
                rs->SetField("ucult", nome_ou_livre(h.penult_cult[i]));
                rs->SetField("ufam", familia_ou_livre(h.penult_cult[i]));
                rs->Update();
            }
            rs->Close();
        }

        // The garden map, one row per grid row.
        tabela = "mapa_horta";
        {
            auto rs = db->OpenRecordset("mapa_horta");
            apaga_tudo(*rs);
            for (int r = 0; r < model::n_colunas_horta; ++r) {
                rs->AddNew();
                rs->SetField("ordem", platform::Chr(65 + r));
                for (int col = 1; col <= model::n_colunas_horta; ++col) {
                    const int i = model::n_colunas_horta * r + col - 1;
                    const std::string n = std::to_string(col);
                    const int cult = h.cult_can[i];
                    if (cult < 0) {
                        rs->SetField("cult" + n, "");
                        rs->SetField("idade" + n, "   ");
                        rs->SetField("trato" + n, "");
                        rs->SetField("p_fim" + n, "   ");
                        continue;
                    }
                    const int ciclo = model::e_cultura(cult) ? c.ciclo_cult[cult] : 0;
                    rs->SetField("cult" + n, model::e_cultura(cult) ? c.sigla_cult[cult] : "");
                    rs->SetField("idade" + n, platform::Str(h.idade_can[i]));
                    rs->SetField("trato" + n, model::trato_horta(cult, h.idade_can[i]));
                    rs->SetField("p_fim" + n, platform::Str(ciclo - h.idade_can[i]));
                }
                rs->Update();
            }
            rs->Close();
        }
        tabela = nullptr;
        db->CommitTrans();
        db->Close();
    } catch (const std::exception& e) {
        if (erro)
            *erro = tabela ? std::string("Não foi possível gravar a tabela \"") + tabela +
                                 "\" do relatório da semana: " + e.what()
                           : std::string("Não foi possível gravar as tabelas do relatório da semana: ") + e.what();
        return false;
    }
    semana_gravada = semana_de(h.data_agenda);
    if (erro) erro->clear();
    return true;
}

}  // namespace agenda
