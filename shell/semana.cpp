#include "shell/semana.h"

#include <cmath>
#include <exception>
#include <memory>
#include <utility>

#include "model/catalogo.h"
#include "model/estado.h"
#include "model/persistencia.h"
#include "platform/db.h"
#include "platform/forms/forms.h"
#include "platform/log.h"
#include "platform/schema.h"
#include "shell/dialogos.h"

namespace shell {

namespace {

// The week table of the game database: the drive in use and the last
// processing date; a new or emptied table holds drive 0 ("C:") and now.
std::vector<std::vector<platform::Value>> semana_inicial() { return {{platform::Value(0), platform::Value(platform::Now())}}; }

[[maybe_unused]] const bool tabela_registrada =
    platform::RegisterTables(model::arq_banco, {{"semana", {{"cd", "INTEGER"}, {"data", "REAL"}}, semana_inicial, true}});

constexpr const char* titulo_banco = "Banco de dados";
constexpr const char* titulo_semana = "Nova Semana";
// A longer jump (a computer whose clock is far ahead, or months away) is
// applied only once the garden as it was is kept in a copy.
constexpr int semanas_sem_copia = 4;
// A stored date later than the clock by less than this is a clock put back
// an hour or a trip across time zones, not a date to tell the player about.
constexpr double dias_de_folga = 1.0;
constexpr const char* msg_leitura_semana = "Não foi possível ler a semana salva no banco de dados: ";

std::unique_ptr<platform::Database> abre_banco() {
    return platform::Workspace::Default().OpenDatabase(model::caminho_banco());
}

bool falha(std::string* erro, const std::string& mensagem) {
    if (erro) *erro = mensagem;
    return false;
}

bool sucesso(std::string* erro) {
    if (erro) erro->clear();
    return true;
}

std::string texto_de(const std::exception& e) {
    std::string s = e.what();
    return s.empty() ? std::string("erro desconhecido.") : s;
}

// What the elapsed weeks ended, for the notice after the new week's picture:
// the beds whose crop reached the end of its cycle (now free) and the lots
// whose seedlings passed their transplant week (emptied); "" when none.
std::string aviso_do_que_terminou(int canteiros, int lotes) {
    std::string texto;
    if (canteiros == 1)
        texto = "Um canteiro da horta chegou ao fim do ciclo da verdura enquanto o jogo estava fechado: "
                "o canteiro está vago.";
    else if (canteiros > 1)
        texto = std::to_string(canteiros) + " canteiros da horta chegaram ao fim do ciclo das verduras enquanto o "
                                            "jogo estava fechado: esses canteiros estão vagos.";
    if (lotes > 0 && !texto.empty()) texto += ' ';
    if (lotes == 1)
        texto += "As mudas de um lote da sementeira passaram do tempo de transplante e foram retiradas: o lote "
                 "está livre.";
    else if (lotes > 1)
        texto += "As mudas de " + std::to_string(lotes) +
                 " lotes da sementeira passaram do tempo de transplante e foram retiradas: esses lotes estão livres.";
    return texto;
}

// Sets a field of the first row of "semana", adding the row when there is none.
void grava_campo_semana(platform::Database& db, const std::string& campo, const platform::Value& valor) {
    auto rs = db.OpenRecordset("semana");
    if (rs->EOF_()) {
        rs->AddNew();
        if (campo != "cd") rs->SetField("cd", 0);
        if (campo != "data") rs->SetField("data", platform::Value(platform::Now()));
    } else {
        rs->MoveFirst();
        rs->Edit();
    }
    rs->SetField(campo, valor);
    rs->Update();
    rs->Close();
}

}  // namespace

std::string unidade_de(int indice) {
    static const char* const unidades[] = {"C:", "D:", "E:", "F:", "G:", "H:"};
    if (indice < 0 || indice > 5) return {};
    return unidades[indice];
}

bool aplica_unidade(int indice) {
    const std::string u = unidade_de(indice);
    if (u.empty()) return false;
    model::sessao().dir_anima = u;
    return true;
}

bool le_indice_cd(int* indice, std::string* erro) {
    try {
        auto db = abre_banco();
        auto rs = db->OpenRecordset("semana");
        if (!rs->EOF_()) {
            rs->MoveFirst();
            const platform::Value v = rs->Fields("cd");
            // A 16-bit drive index; anything else selects no drive.
            std::int64_t n = v.IsNull() ? -1 : v.ToInt();
            if (n < -32768 || n > 32767) n = -1;
            *indice = static_cast<int>(n);
        }
        rs->Close();
        db->Close();
        return sucesso(erro);
    } catch (const std::exception& e) {
        return falha(erro, "Não foi possível ler a unidade do CD no banco de dados: " + texto_de(e));
    }
}

bool grava_indice_cd(int indice, std::string* erro) {
    std::unique_ptr<platform::Database> db;
    try {
        db = abre_banco();
        grava_campo_semana(*db, "cd", platform::Value(indice));
        db->Close();
        return sucesso(erro);
    } catch (const std::exception& e) {
        if (db) {
            try {
                db->Close();
            } catch (const std::exception&) {
            }
        }
        return falha(erro, "Não foi possível salvar a unidade do CD no banco de dados: " + texto_de(e));
    }
}

bool le_data_semana(std::optional<platform::DateTime>* data, std::string* erro) {
    data->reset();
    try {
        auto db = abre_banco();
        auto rs = db->OpenRecordset("semana");
        if (!rs->EOF_()) {
            rs->MoveFirst();
            const platform::Value v = rs->Fields("data");
            if (!v.IsNull()) {
                const platform::DateTime d = v.ToDate();
                // Serial 0 is 30 December 1899: no processing date was ever stored.
                if (std::isfinite(d.serial) && d.serial > 0) *data = d;
            }
        }
        rs->Close();
        db->Close();
        return sucesso(erro);
    } catch (const std::exception& e) {
        return falha(erro, msg_leitura_semana + texto_de(e));
    }
}

int semanas_decorridas(platform::DateTime data, platform::DateTime agora) {
    if (!(agora > data)) return 0;
    // Back to the Sunday on or before the stored date, keeping its time of day.
    const platform::DateTime domingo = data - (platform::Weekday(data) - 1);
    const double semanas = std::floor((agora - domingo) / 7.0);
    if (!(semanas >= 0)) return 0;
    if (semanas > 32767) return 32767;
    return static_cast<int>(semanas);
}

bool grava_horta_e_data(platform::DateTime agora, std::string* erro) {
    std::string texto;
    const bool ok = model::grava_horta(&texto, [agora](platform::Database& db) {
        grava_campo_semana(db, "data", platform::Value(agora));
    });
    if (ok) return sucesso(erro);
    return falha(erro, texto);
}

bool auto_abastecimento() {
    const model::EstadoHorta& h = model::horta();
    for (int k = 1; k <= model::n_culturas; ++k)
        if (h.seq_cult[k] != 0) return true;
    return false;
}

void nova_semana(bool horta_vazia, bool estado_carregado) {
    model::EstadoSessao& s = model::sessao();
    if (!estado_carregado) {
        // The stored game could not be read (the player has been told):
        // ageing and saving the empty state would overwrite it.
        platform::LogOnce("shell.nova_semana.sem_carga", "Semana não processada: o jogo salvo não pôde ser lido.");
        return;
    }
    s.jogo_lido = true;
    std::string erro;
    std::optional<platform::DateTime> data;
    if (!le_data_semana(&data, &erro)) {
        mostra_ok(titulo_banco, erro);
        return;
    }

    const platform::DateTime agora = platform::Now();
    int n = 0;
    if (data) {
        if (!(agora > *data)) {  // the clock is at or before the stored date
            // Nothing ages until the clock reaches it: said when that is far off.
            if (*data - agora > dias_de_folga) {
                std::string texto = "A data do computador está antes da data do jogo (" +
                                    platform::FormatDate(*data, "dd/mm/yyyy") +
                                    "): a horta só volta a crescer quando o relógio chegar a essa data. "
                                    "Confira a data do computador.";
                // A clock that was ahead when the game was last opened made
                // the game skip weeks; the garden as it was before is kept.
                int puladas = 0;
                const std::string copia = model::copia_do_salto(*data, &puladas);
                if (!copia.empty())
                    texto += " Naquele dia o jogo pulou " + std::to_string(puladas) +
                             " semanas; a horta de antes foi guardada em " + model::local_da_copia(copia);
                mostra_ok("Data do computador", texto);
            }
            return;
        }
        n = semanas_decorridas(*data, agora);
    }

    std::string copia;
    if (n > semanas_sem_copia) {
        std::string erro;
        if (!model::guarda_copia_datada(&copia, &erro, n, agora)) {
            // Without the copy the jump is not applied: the stored game stays.
            mostra_ok(titulo_semana, "Passaram " + std::to_string(n) +
                                         " semanas desde o último jogo, e não foi possível guardar uma cópia da "
                                         "horta como estava: " + erro + " A horta não foi avançada.");
            return;
        }
    }

    // The garden ages first, so that the notice can say which beds and lots
    // the ageing freed (a freed bed is not aged again, so none counts twice).
    const model::EstadoHorta& h = model::horta();
    int lotes_antes = 0;
    for (int j = 0; j < model::n_lotes; ++j) lotes_antes += h.cult_sem[j] > model::nenhuma;
    int canteiros_livres = 0;
    for (int k = 0; k < n; ++k) canteiros_livres += static_cast<int>(model::passa_semana().size());
    int lotes_livres = lotes_antes;
    for (int j = 0; j < model::n_lotes; ++j) lotes_livres -= h.cult_sem[j] > model::nenhuma;

    if (n >= 1 && !horta_vazia) {
        mostra_figura(titulo_semana, s.dir_anima + "\\anima\\novasema.jpg",
                      n == 1 ? std::string("Passou uma semana!") : "Passaram " + std::to_string(n) + " semanas!");
        // The picture says the crops grew; what the weeks ended follows it.
        if (const std::string fim = aviso_do_que_terminou(canteiros_livres, lotes_livres); !fim.empty())
            mostra_ok(titulo_semana, fim);
    }
    if (!copia.empty())
        mostra_ok(titulo_semana, "Passaram " + std::to_string(n) +
                                     " semanas desde o último jogo. A horta como estava foi guardada em " +
                                     model::local_da_copia(copia));

    // The week is stored once the main menu is on the screen: the menu does
    // not wait for the disk, and the save comes before any click on it (or
    // with the game, should the program be ended before).
    model::sessao().semana_a_gravar = agora;
    pf::Screen::AfterNextPaint([] {
        if (!model::sessao().semana_a_gravar) return;
        std::string erro;
        if (!grava_jogo(&erro)) mostra_ok(titulo_banco, erro);
    });
}

bool grava_jogo(std::string* erro) {
    if (const auto data = std::exchange(model::sessao().semana_a_gravar, std::nullopt))
        return grava_horta_e_data(*data, erro);
    return model::grava_horta(erro);
}

}  // namespace shell
