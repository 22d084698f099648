#pragma once
// Load and save of the game state in the game database (the program folder's
// "hortas00.mdb"): the garden beds in table "st", the seedbed lots in "sem",
// the market order in "seq". Also the bed and lot labels and the save
// question "Deseja salvar ?".
//
// None of these functions throws. A load or save that fails returns false and
// leaves a message in Portuguese, ready to show to the player, in *erro (when
// given) and in ultimo_erro_banco().
//
// A save is all or nothing: "st", "sem" and "seq" are rewritten in one
// transaction, so a failed save leaves the stored game as it was.

#include <functional>
#include <string>

#include "platform/clock.h"

namespace platform {
class Database;
}

namespace model {

// Database file name relative to the program folder.
inline constexpr const char* arq_banco = "\\hortas00.mdb";

// The database path used by the loads and saves: the program folder followed
// by arq_banco, unless another path has been set (tests use a temporary
// folder). An empty path returns to the program folder's database.
std::string caminho_banco();
void define_caminho_banco(const std::string& caminho);

// Message of the last failed load or save ("" when the last one succeeded).
const std::string& ultimo_erro_banco();

// Forgets the last error, the record of a failed load (which otherwise
// makes grava_horta refuse to overwrite a stored game it could not read) and
// the count of unreadable rows.
// The database path and the installed dialogs stay as they are.
void reinicia_banco();

// Loads the garden from "st", then the seedbed from "sem".
// Returns true when some loaded bed or lot holds a crop (code 1 or more).
// Every cell and lot is first reset to "not in use"; a row whose "indice" or
// "cod_cult" is not a whole number in range (or is null or text), or whose
// age or crop history is text or a fraction, cannot be read: it is skipped,
// logged and counted (aviso_linhas_ilegiveis), and the database file as it
// was is copied beside it under a dated name of its own
// ("hortas00.mdb.2026-12-09_20-05.bak", no copy ever replaced) before any
// save drops the row. The load is all or nothing: when
// either table cannot be read, beds and lots stay reset, the result is false
// and *erro holds why.
bool le_horta(std::string* erro = nullptr);

// Loads the market order from "seq" into seq_cult (crops without a row keep
// their value); unreadable rows as in le_horta. Returns false when the
// database cannot be read.
bool le_seq(std::string* erro = nullptr);

// The notice for the player after the loads when some rows of "st", "sem" or
// "seq" could not be read: how many of each, and where the copy of the file
// as it was is kept and how to go back to it. "" when every row was read.
std::string aviso_linhas_ilegiveis();

// Copies the database file as it stands to a new dated file beside it (as
// for unreadable rows). True with the copy's path in *caminho; false with
// why in *erro. With `semanas`, the copy kept before that many weeks are
// skipped: its name carries the date `quando` (the date the game then
// stores) and the weeks ("hortas00.mdb.2036-12-07_10-00.antes-de-520-semanas.bak").
bool guarda_copia_datada(std::string* caminho, std::string* erro = nullptr, int semanas = 0,
                         platform::DateTime quando = {});

// The copy kept when the weeks up to the stored date `data` were skipped
// (made by guarda_copia_datada with that date), or "" when there is none;
// the weeks skipped in *semanas.
std::string copia_do_salto(platform::DateTime data, int* semanas);

// Where a copy of the database file is and how to go back to it, for a
// message: its name, that it is beside the game file, and that it is put in
// the game file's place with the game closed, the game file's log
// ("hortas00.mdb-wal") removed.
std::string local_da_copia(const std::string& caminho_copia);

// Rewrites "st", "sem" and "seq" from the live state in one transaction,
// each row edited in place so that fields the game does not know keep their
// values. Returns true when all three were written; on failure nothing is changed in
// the database and *erro holds why. After a load that failed, the save is
// refused (false) until a load succeeds, so a stored game that could not be
// read is never overwritten with an empty garden; likewise while rows that
// could not be read have no copy beside the file. While a forecast is in
// effect the real week (the forecast copies) is stored, not the week shown.
// `extra`, when given, writes more in the same transaction (the start-up week
// cycle stores its new processing date with the state it saves).
bool grava_horta(std::string* erro = nullptr,
                 const std::function<void(platform::Database&)>& extra = {});

// Label of a garden cell 0 to 99: row letter, a blank, column number
// ("A 1" ... "J 10"). "" outside 0 to 99.
std::string nome_canteiro(int n);

// Label of a seedbed lot 0 to 21: "A 1" ... "A 11", "B 1" ... "B 11".
// "" outside 0 to 21.
std::string nome_leira(int n);

// The shared yes/no dialog, reached through this interface so the model runs
// without windows. The shell installs its implementation at start-up.
struct Dialogos {
    virtual ~Dialogos() = default;
    // Shows the question modally under the caption; true for "&Sim".
    // `padrao` is the answer Enter gives and a close without a button gives.
    virtual bool sim_nao(const std::string& titulo, const std::string& mensagem, bool padrao) = 0;
};

// Installs the dialogs (nullptr removes them). Not owned.
void define_dialogos(Dialogos* d);
Dialogos* dialogos();

// The save question: "Deseja salvar ?" under "Gravar alterações". Sets
// msg_ok_nao and resp_ok_nao of the session and returns the answer; the
// caller saves with grava_horta() on yes. Enter and a close without a button
// answer yes, so that only a "&Não" throws the session's work away. Without
// dialogs installed the answer is no.
bool pergunta_grava();

}  // namespace model
