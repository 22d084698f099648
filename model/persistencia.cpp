#include "model/persistencia.h"

#include <array>
#include <cmath>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "model/catalogo.h"
#include "model/estado.h"
#include "platform/db.h"
#include "platform/files.h"
#include "platform/clock.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/schema.h"
#include "platform/text.h"

namespace model {

namespace {

// The saved beds, lots and order counts: the tables this file keeps in the
// game database; a new file gets one order count per crop, all zero.
std::vector<std::vector<platform::Value>> contagens_iniciais() {
    std::vector<std::vector<platform::Value>> linhas;
    for (int cult = 1; cult <= n_culturas; ++cult) linhas.push_back({platform::Value(cult), platform::Value(0)});
    return linhas;
}

[[maybe_unused]] const bool tabelas_registradas = platform::RegisterTables(
    arq_banco, {
                   {"st",
                    {{"indice", "INTEGER"},
                     {"cod_cult", "INTEGER"},
                     {"idade", "INTEGER"},
                     {"check", "INTEGER"},
                     {"last_i_cu", "INTEGER"},
                     {"last_last_i_cu", "INTEGER"}}},
                   {"sem", {{"indice", "INTEGER"}, {"cod_cult", "INTEGER"}, {"idade", "INTEGER"}, {"check", "INTEGER"}}},
                   {"seq", {{"indice", "INTEGER"}, {"seq", "INTEGER"}}, contagens_iniciais},
               });

struct EstadoBanco {
    std::string caminho;      // "" = the program folder's database
    std::string ultimo_erro;
    Dialogos* dialogos = nullptr;
    // Set when a load failed: saving then would overwrite a stored game that
    // could not be read with the empty state left in memory.
    bool carga_falhou = false;
    // Rows of the last loads that could not be read: a save drops them, so
    // the file as it was is first copied beside it, a copy of its own for
    // each run that meets them.
    int canteiros_ilegiveis = 0, lotes_ilegiveis = 0, pedido_ilegivel = 0;
    enum class Copia { nenhuma, feita, falhou } copia = Copia::nenhuma;
    std::string caminho_copia, erro_copia;
};

EstadoBanco& banco() {
    static EstadoBanco b;
    return b;
}

constexpr const char* msg_leitura = "Não foi possível ler o jogo salvo no banco de dados: ";
constexpr const char* msg_gravacao = "Não foi possível salvar o jogo; o jogo salvo anteriormente foi mantido. ";
constexpr const char* msg_carga_falhou =
    "Não foi possível salvar o jogo: o jogo salvo não pôde ser lido e seria apagado. "
    "O jogo salvo anteriormente foi mantido.";

bool falha(std::string* erro, const std::string& mensagem) {
    banco().ultimo_erro = mensagem;
    if (erro) *erro = mensagem;
    return false;
}

void sucesso(std::string* erro) {
    banco().ultimo_erro.clear();
    if (erro) erro->clear();
}

std::unique_ptr<platform::Database> abre_banco() {
    return platform::Workspace::Default().OpenDatabase(caminho_banco());
}

void registra_linha_ignorada(const std::string& tabela, const std::string& campo, const platform::Value& v) {
    const std::string valor = v.IsNull() ? std::string("nulo") : v.ToString();
    platform::LogOnce("model." + tabela + "." + campo + "." + valor,
                      "Tabela \"" + tabela + "\": linha ignorada, \"" + campo + "\" = " + valor +
                          " fora do intervalo válido.");
}

// A field holding an integer within [min, max], or nothing (null, text, a
// fraction or out of range).
std::optional<int> inteiro_em(const platform::Value& v, int min, int max) {
    if (v.IsNull() || v.IsText()) return std::nullopt;
    if (v.ToDouble() != std::floor(v.ToDouble())) return std::nullopt;
    const std::int64_t n = v.ToInt();
    if (n < min || n > max) return std::nullopt;
    return static_cast<int>(n);
}

// An age (a 16-bit count): a null age reads as 0, a whole number is held to
// 0 to 32767; text or a fraction is no age (nothing).
std::optional<int> idade_de(const platform::Value& v) {
    if (v.IsNull()) return 0;
    if (v.IsText() || v.ToDouble() != std::floor(v.ToDouble())) return std::nullopt;
    const std::int64_t n = v.ToInt();
    if (n < 0) return 0;
    if (n > 32767) return 32767;
    return static_cast<int>(n);
}

// A crop history value: -1 (none) or a crop code; a null value or a whole
// number that is no crop is "none"; text or a fraction is no value at all
// (nothing).
std::optional<int> historico_de(const platform::Value& v, const std::string& campo, int indice) {
    if (v.IsNull()) return nao_usado;
    if (v.IsText() || v.ToDouble() != std::floor(v.ToDouble())) return std::nullopt;
    if (auto n = inteiro_em(v, nao_usado, n_culturas)) return *n;
    platform::LogOnce("model.st." + campo + "." + std::to_string(indice),
                      "Tabela \"st\": \"" + campo + "\" do canteiro " + std::to_string(indice) +
                          " fora do intervalo válido; lido como nenhum.");
    return nao_usado;
}

struct Canteiros {
    std::array<int, n_canteiros> cult, idade, ult, penult;
    std::array<bool, n_canteiros> check;
    std::array<std::string, n_canteiros> nome;
};

struct Lotes {
    std::array<int, n_lotes> cult, idade;
    std::array<bool, n_lotes> check;
    std::array<std::string, n_lotes> nome;
};

void zera(EstadoHorta& h) {
    for (int i = 0; i < n_canteiros; ++i) {
        h.cult_can[i] = nao_usado;
        h.nome_can[i].clear();
        h.idade_can[i] = 0;
        h.check_can[i] = false;
        h.ult_cult[i] = nao_usado;
        h.penult_cult[i] = nao_usado;
    }
}

void zera_lotes(EstadoHorta& h) {
    for (int j = 0; j < n_lotes; ++j) {
        h.cult_sem[j] = nao_usado;
        h.nome_sem[j].clear();
        h.idade_sem[j] = 0;
        h.check_sem[j] = false;
    }
}

// Reads "st" into the bed arrays; true when some bed holds a crop.
bool le_st(platform::Database& db, EstadoHorta& h, int& ilegiveis) {
    const Catalogo& c = catalogo();
    auto rs = db.OpenRecordset("st");
    bool tem_cultura = false;
    if (!rs->EOF_()) rs->MoveFirst();
    for (; !rs->EOF_(); rs->MoveNext()) {
        const platform::Value vi = rs->Fields("indice");
        const auto i = inteiro_em(vi, 0, n_canteiros - 1);
        if (!i) {
            registra_linha_ignorada("st", "indice", vi);
            ++ilegiveis;
            continue;
        }
        const platform::Value vc = rs->Fields("cod_cult");
        const auto cult = inteiro_em(vc, nenhuma, n_culturas);
        if (!cult) {
            registra_linha_ignorada("st", "cod_cult", vc);
            ++ilegiveis;
            continue;
        }
        const platform::Value va = rs->Fields("idade"), vu = rs->Fields("last_i_cu"),
                              vp = rs->Fields("last_last_i_cu");
        const auto idade = idade_de(va);
        const auto ult = historico_de(vu, "last_i_cu", *i);
        const auto penult = historico_de(vp, "last_last_i_cu", *i);
        if (!idade || !ult || !penult) {
            registra_linha_ignorada("st", !idade ? "idade" : !ult ? "last_i_cu" : "last_last_i_cu",
                                    !idade ? va : !ult ? vu : vp);
            ++ilegiveis;
            continue;
        }
        h.cult_can[*i] = *cult;
        h.nome_can[*i] = c.nome_cult[*cult];
        h.idade_can[*i] = *idade;
        h.check_can[*i] = rs->Fields("check").ToBool();
        h.ult_cult[*i] = *ult;
        h.penult_cult[*i] = *penult;
        if (*cult >= 1) tem_cultura = true;
    }
    rs->Close();
    return tem_cultura;
}

bool le_sem(platform::Database& db, EstadoHorta& h, int& ilegiveis) {
    const Catalogo& c = catalogo();
    auto rs = db.OpenRecordset("sem");
    bool tem_cultura = false;
    if (!rs->EOF_()) rs->MoveFirst();
    for (; !rs->EOF_(); rs->MoveNext()) {
        const platform::Value vi = rs->Fields("indice");
        const auto j = inteiro_em(vi, 0, n_lotes - 1);
        if (!j) {
            registra_linha_ignorada("sem", "indice", vi);
            ++ilegiveis;
            continue;
        }
        const platform::Value vc = rs->Fields("cod_cult");
        const auto cult = inteiro_em(vc, nenhuma, n_culturas);
        if (!cult) {
            registra_linha_ignorada("sem", "cod_cult", vc);
            ++ilegiveis;
            continue;
        }
        const platform::Value va = rs->Fields("idade");
        const auto idade = idade_de(va);
        if (!idade) {
            registra_linha_ignorada("sem", "idade", va);
            ++ilegiveis;
            continue;
        }
        h.cult_sem[*j] = *cult;
        h.nome_sem[*j] = c.nome_cult[*cult];
        h.idade_sem[*j] = *idade;
        h.check_sem[*j] = rs->Fields("check").ToBool();
        if (*cult >= 1) tem_cultura = true;
    }
    rs->Close();
    return tem_cultura;
}

// Rewrites a table whose rows are keyed by "indice" 0 to n - 1: the row of
// each stored index is edited in place, so fields the game does not know
// (a file from a newer version) keep their values; a row of no stored index
// (or a second one of the same index) is deleted, and a missing one is
// added. `preenche(rs, i)` sets the fields of index i, or returns false when
// nothing is stored for it.
void regrava(platform::Database& db, const char* tabela, int n,
             const std::function<bool(platform::Recordset*, int)>& preenche) {
    auto rs = db.OpenRecordset(tabela);
    std::vector<bool> gravado(static_cast<size_t>(n), false);
    if (!rs->EOF_()) rs->MoveFirst();
    while (!rs->EOF_()) {
        const auto i = inteiro_em(rs->Fields("indice"), 0, n - 1);
        if (i && !gravado[*i] && preenche(nullptr, *i)) {
            rs->Edit();
            preenche(rs.get(), *i);
            rs->Update();
            gravado[*i] = true;
        } else {
            rs->Delete();
        }
        rs->MoveNext();
    }
    for (int i = 0; i < n; ++i) {
        if (gravado[i] || !preenche(nullptr, i)) continue;
        rs->AddNew();
        rs->SetField("indice", i);
        preenche(rs.get(), i);
        rs->Update();
    }
    rs->Close();
}

// The three table rewrites of a save, each inside the caller's transaction.
void grava_st(platform::Database& db, const EstadoHorta& h) {
    regrava(db, "st", n_canteiros, [&](platform::Recordset* rs, int i) {
        const int cult = h.cult_can[i];
        if (cult == nao_usado) return false;
        if (cult < nenhuma || cult > n_culturas) {
            platform::LogOnce("model.grava.st." + std::to_string(i),
                              "Canteiro " + std::to_string(i) + " com cultura inválida " +
                                  std::to_string(cult) + " não foi salvo.");
            return false;
        }
        if (!rs) return true;
        rs->SetField("cod_cult", cult);
        rs->SetField("idade", h.idade_can[i]);
        rs->SetField("check", platform::Value(h.check_can[i]));  // boolean, -1 / 0
        rs->SetField("last_i_cu", h.ult_cult[i]);
        rs->SetField("last_last_i_cu", h.penult_cult[i]);
        return true;
    });
}

void grava_sementeira(platform::Database& db, const EstadoHorta& h) {
    regrava(db, "sem", n_lotes, [&](platform::Recordset* rs, int j) {
        const int cult = h.cult_sem[j];
        if (cult == nao_usado) return false;
        if (cult < nenhuma || cult > n_culturas) {
            platform::LogOnce("model.grava.sem." + std::to_string(j),
                              "Lote " + std::to_string(j) + " com cultura inválida " + std::to_string(cult) +
                                  " não foi salvo.");
            return false;
        }
        if (!rs) return true;
        rs->SetField("cod_cult", cult);
        rs->SetField("idade", h.idade_sem[j]);
        rs->SetField("check", platform::Value(h.check_sem[j] ? -1 : 0));  // 16-bit integer
        return true;
    });
}

void grava_seq(platform::Database& db, const EstadoHorta& h) {
    // Crops 1 to n_culturas; index 0 is no crop and is not stored.
    regrava(db, "seq", n_culturas + 1, [&](platform::Recordset* rs, int k) {
        if (k < 1) return false;
        if (rs) rs->SetField("seq", h.seq_cult[k]);
        return true;
    });
}

std::string texto_de(const std::exception& e) {
    std::string s = e.what();
    return s.empty() ? std::string("erro desconhecido.") : s;
}

bool tem_linhas_ilegiveis() {
    const EstadoBanco& b = banco();
    return b.canteiros_ilegiveis + b.lotes_ilegiveis + b.pedido_ilegivel > 0;
}

// What the name of a copy kept before weeks were skipped says after its date.
std::string sufixo_do_salto(int semanas) { return ".antes-de-" + std::to_string(semanas) + "-semanas"; }

// A new name beside the database file for a copy of it made now: the
// file's name, the date and time, ".bak" ("hortas00.mdb.2026-12-09_20-05.bak",
// then "-2", "-3"... when that name is taken). With `semanas`, the copy kept
// before that many weeks are skipped, dated `quando`
// ("hortas00.mdb.2036-12-07_10-00.antes-de-520-semanas.bak").
std::string copia_datada(platform::Database& db, int semanas = 0, platform::DateTime quando = {}) {
    const platform::DateTime data = semanas > 0 ? quando : platform::Now();
    const std::string meio = semanas > 0 ? sufixo_do_salto(semanas) : std::string();
    for (int tentativa = 0; tentativa < 3; ++tentativa) {
        const std::string caminho = platform::FreeFileName(
            db.Name() + "." + platform::FormatDate(data, "yyyy-mm-dd_hh-nn") + meio, ".bak");
        if (db.CopyTo(caminho)) return caminho;  // false: the name was taken meanwhile
    }
    throw std::runtime_error("Não foi possível escolher um nome para a cópia do banco de dados.");
}

std::string so_o_nome(const std::string& caminho) { return caminho.substr(caminho.find_last_of("/\\") + 1); }

// Before a save drops the rows that could not be read, the file as it was is
// copied beside it under a name of its own; a copy that could not be made is
// tried again at each save, which is refused until it is made.
void guarda_copia(platform::Database& db) {
    EstadoBanco& b = banco();
    if (!tem_linhas_ilegiveis() || b.copia == EstadoBanco::Copia::feita) return;
    try {
        b.caminho_copia = copia_datada(db);
        b.copia = EstadoBanco::Copia::feita;
        b.erro_copia.clear();
    } catch (const std::exception& e) {
        b.copia = EstadoBanco::Copia::falhou;
        b.caminho_copia.clear();
        b.erro_copia = texto_de(e);
        platform::LogOnce("model.copia", b.erro_copia);
    }
}

}  // namespace

std::string caminho_banco() {
    const EstadoBanco& b = banco();
    if (!b.caminho.empty()) return b.caminho;
    return platform::ProgramFolder() + arq_banco;
}

void define_caminho_banco(const std::string& caminho) { banco().caminho = caminho; }

const std::string& ultimo_erro_banco() { return banco().ultimo_erro; }

void reinicia_banco() {
    EstadoBanco& b = banco();
    b.ultimo_erro.clear();
    b.carga_falhou = false;
    b.canteiros_ilegiveis = b.lotes_ilegiveis = b.pedido_ilegivel = 0;
    b.copia = EstadoBanco::Copia::nenhuma;
    b.caminho_copia.clear();
    b.erro_copia.clear();
}

std::string local_da_copia(const std::string& caminho_copia) {
    // In the program folder the copy is named alone; in the player's own data
    // folder, with its folder, which the player may not know.
    const bool na_pasta_do_programa = platform::DataFolder() == platform::ProgramFolder();
    // A run that did not end normally (a crash, a power cut) leaves the log
    // of its last writes beside the game file, and the log would be read
    // over the copy: it goes too.
    const std::string nome = so_o_nome(caminho_banco());
    return "\"" + (na_pasta_do_programa ? so_o_nome(caminho_copia) : caminho_copia) + "\", ao lado de \"" + nome +
           "\"; para voltar à cópia, feche o jogo, copie-a sobre esse arquivo e apague o arquivo \"" + nome +
           "-wal\" ao lado dele, se houver.";
}

bool guarda_copia_datada(std::string* caminho, std::string* erro, int semanas, platform::DateTime quando) {
    try {
        auto db = abre_banco();
        const std::string feita = copia_datada(*db, semanas, quando);
        db->Close();
        if (caminho) *caminho = feita;
        if (erro) erro->clear();
        return true;
    } catch (const std::exception& e) {
        if (erro) *erro = texto_de(e);
        return false;
    }
}

std::string copia_do_salto(platform::DateTime data, int* semanas) {
    const std::string arquivo = platform::ResolvePath(caminho_banco());
    if (arquivo.empty()) return {};
    const std::string inicio = arquivo + "." + platform::FormatDate(data, "yyyy-mm-dd_hh-nn") + ".antes-de-";
    // The last one made, should there be more with that date.
    const auto achadas = platform::FilesStartingWith(inicio);
    for (auto c = achadas.rbegin(); c != achadas.rend(); ++c) {
        const std::string resto = c->substr(inicio.size());
        const auto traco = resto.find('-');
        if (traco == std::string::npos || traco == 0 || resto.compare(traco, 8, "-semanas") != 0) continue;
        const std::string numero = resto.substr(0, traco);
        if (numero.find_first_not_of("0123456789") != std::string::npos || numero.size() > 6) continue;
        *semanas = std::stoi(numero);
        return *c;
    }
    return {};
}

std::string aviso_linhas_ilegiveis() {
    const EstadoBanco& b = banco();
    if (!tem_linhas_ilegiveis()) return {};
    // Short enough for the message dialog.
    const std::string contagem = "(canteiros: " + std::to_string(b.canteiros_ilegiveis) +
                                 "; lotes da sementeira: " + std::to_string(b.lotes_ilegiveis) +
                                 "; pedido da feira: " + std::to_string(b.pedido_ilegivel) + ")";
    if (b.copia == EstadoBanco::Copia::feita)
        return "Não foi possível ler parte do jogo salvo " + contagem + ". O arquivo como estava foi guardado em " +
               local_da_copia(b.caminho_copia);
    return "Não foi possível ler parte do jogo salvo " + contagem +
           " nem guardar uma cópia do arquivo: o jogo não será salvo.";
}

bool le_horta(std::string* erro) {
    EstadoHorta& h = horta();
    zera(h);
    zera_lotes(h);
    try {
        // Beds, then lots; either both load or the garden stays empty.
        auto db = abre_banco();
        int canteiros = 0, lotes = 0;
        const bool tem_canteiro = le_st(*db, h, canteiros);
        const bool tem_lote = le_sem(*db, h, lotes);
        banco().canteiros_ilegiveis = canteiros;
        banco().lotes_ilegiveis = lotes;
        guarda_copia(*db);
        db->Close();
        banco().carga_falhou = false;
        sucesso(erro);
        return tem_canteiro || tem_lote;
    } catch (const std::exception& e) {
        zera(h);
        zera_lotes(h);
        banco().canteiros_ilegiveis = banco().lotes_ilegiveis = 0;
        banco().carga_falhou = true;
        return falha(erro, msg_leitura + texto_de(e));
    }
}

bool le_seq(std::string* erro) {
    EstadoHorta& h = horta();
    try {
        auto db = abre_banco();
        auto rs = db->OpenRecordset("seq");
        // Read into a copy so a failure half-way leaves the order as it was.
        auto seq = h.seq_cult;
        int ilegiveis = 0;
        if (!rs->EOF_()) rs->MoveFirst();
        for (; !rs->EOF_(); rs->MoveNext()) {
            const platform::Value vi = rs->Fields("indice");
            const auto k = inteiro_em(vi, 1, n_culturas);
            if (!k) {
                registra_linha_ignorada("seq", "indice", vi);
                ++ilegiveis;
                continue;
            }
            const platform::Value vs = rs->Fields("seq");
            const auto n = inteiro_em(vs, 0, 32767);
            if (!n) {
                registra_linha_ignorada("seq", "seq", vs);
                ++ilegiveis;
                continue;
            }
            seq[*k] = *n;
        }
        rs->Close();
        banco().pedido_ilegivel = ilegiveis;
        guarda_copia(*db);
        db->Close();
        h.seq_cult = seq;
        sucesso(erro);
        return true;
    } catch (const std::exception& e) {
        banco().carga_falhou = true;
        return falha(erro, msg_leitura + texto_de(e));
    }
}

bool grava_horta(std::string* erro, const std::function<void(platform::Database&)>& extra) {
    if (banco().carga_falhou) return falha(erro, msg_carga_falhou);
    // During a forecast the live arrays hold weeks that have not come yet;
    // the real week is kept apart, and that is what is stored
    // (the next start-up ages it by the weeks that really passed).
    EstadoHorta h = horta();
    if (previsao_ativa()) {
        h.mostrado() = h.real;
    }
    std::unique_ptr<platform::Database> db;
    try {
        db = abre_banco();
        guarda_copia(*db);  // a copy that could not be made at the load is tried again
        db->BeginTrans();
        if (banco().copia == EstadoBanco::Copia::falhou)
            throw std::runtime_error("As linhas do jogo salvo que não puderam ser lidas seriam apagadas, e não foi "
                                     "possível guardar uma cópia do arquivo: " + banco().erro_copia);
        grava_st(*db, h);
        grava_sementeira(*db, h);
        grava_seq(*db, h);
        if (extra) extra(*db);
        db->CommitTrans();
        db->Close();
        // The rows that could not be read are gone from the file; its copy
        // holds them. Rows found unreadable by a later load get a copy of
        // their own.
        banco().canteiros_ilegiveis = banco().lotes_ilegiveis = banco().pedido_ilegivel = 0;
        banco().copia = EstadoBanco::Copia::nenhuma;
        sucesso(erro);
        return true;
    } catch (const std::exception& e) {
        if (db) {
            try {
                if (db->InTransaction()) db->Rollback();
                db->Close();
            } catch (const std::exception&) {
                // The rollback failing leaves the engine's own journal to undo the rest.
            }
        }
        return falha(erro, msg_gravacao + texto_de(e));
    }
}

std::string nome_canteiro(int n) {
    if (n < 0 || n >= n_canteiros) return {};
    return platform::UCase(platform::Chr(65 + n / n_colunas_horta) + platform::Str(n % n_colunas_horta + 1));
}

std::string nome_leira(int n) {
    if (n < 0 || n >= n_lotes) return {};
    return platform::UCase(platform::Chr(65 + n / n_colunas_sementeira) +
                           platform::Str(n % n_colunas_sementeira + 1));
}

void define_dialogos(Dialogos* d) { banco().dialogos = d; }

Dialogos* dialogos() { return banco().dialogos; }

bool pergunta_grava() {
    EstadoSessao& s = sessao();
    s.msg_ok_nao = "Deseja salvar ?";
    Dialogos* d = banco().dialogos;
    if (!d) platform::LogOnce("model.dialogos", "Pergunta sem janela de diálogo instalada: \"" + s.msg_ok_nao + "\"");
    s.resp_ok_nao = d ? d->sim_nao("Gravar alterações", s.msg_ok_nao, true) : false;
    return s.resp_ok_nao;
}

}  // namespace model
