#pragma once
// Common ground of the agenda tests (see tests/comum/ambiente.h): a program
// folder holding the game database and the report layouts, an empty garden
// and seedbed, stand-ins for the screens the agenda leads to, and reports
// always written to PDF (no printer is ever used).

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "agenda/age.h"
#include "agenda/listas.h"
#include "agenda/pendencias.h"
#include "agenda/registro.h"
#include "agenda/tabelas_relatorio.h"
#include "platform/db.h"
#include "platform/report.h"
#include "tests/comum/ambiente.h"

namespace agenda_test {

namespace fs = std::filesystem;
namespace pf = platform::forms;
namespace t = platform::forms::test;
using comum::Dialogo;

inline const std::string& pasta_programa() {
    static const std::string pasta = [] {
        const auto raiz = comum::nova_pasta_programa("agenda");
        // A 1 x 1 24-bit bitmap under every frame name the agenda shows.
        const auto anima = comum::pasta_anima(raiz);
        comum::grava_quadros(anima, "pla", 1, 10);
        comum::grava_quadros(anima, "sem", 0, 12);
        comum::grava_quadros(anima, "tra", 0, 12);
        comum::grava_quadros(anima, "li", 0, 12);
        comum::grava_quadros(anima, "des", 0, 12);
        comum::grava_quadros(anima, "amo", 0, 11);
        comum::grava_quadros(anima, "cop", 0, 13);
        comum::grava_quadros(anima, "cof", 0, 13);
        comum::grava_quadros(anima, "hort", 0, 7);
        comum::grava_quadros(anima, "mudas0", 0, 7);
        comum::grava_quadros(anima, "enx", 0, 10, "c");
        comum::grava_quadros(anima, "imp", 0, 6);
        comum::grava_quadros(anima, "planet", 1, 10);
        comum::grava_quadros(anima, "seman", 1, 7);
        for (const char* nome : {"relatb.rpt", "rrr.rpt"})
            fs::copy_file(fs::path(BROTALIA_FONTE_RELATORIOS) / nome, raiz / nome, fs::copy_options::overwrite_existing);
        return raiz.string();
    }();
    return pasta;
}

// Rows of a table of the game database, each field as text.
inline std::vector<std::vector<std::string>> linhas_tabela(const std::string& tabela,
                                                           const std::vector<std::string>& campos) {
    auto db = platform::Workspace::Default().OpenDatabase(model::caminho_banco());
    auto rs = db->OpenRecordset(tabela);
    std::vector<std::vector<std::string>> r;
    if (!rs->EOF_()) rs->MoveFirst();
    while (!rs->EOF_()) {
        std::vector<std::string> l;
        for (const auto& c : campos) l.push_back(rs->Fields(c).ToString());
        r.push_back(l);
        rs->MoveNext();
    }
    rs->Close();
    db->Close();
    return r;
}

// The text of a PDF, through pdftotext; empty when the tool is missing.
inline std::string texto_pdf(const std::string& caminho) {
    const std::string cmd = "pdftotext -layout '" + caminho + "' - 2>/dev/null";
    std::string r;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.append(buf, n);
        ::pclose(p);
    }
    return r;
}

// Makes every later write of a table fail (a trigger that aborts it), or
// lets it be written again; as a full disk or a broken file would.
inline void bloqueia_tabela(const std::string& tabela, bool bloqueia = true) {
    auto db = platform::Workspace::Default().OpenDatabase(model::caminho_banco());
    const std::string sql = bloqueia ? "CREATE TRIGGER bloqueio_" + tabela + " BEFORE INSERT ON " + tabela +
                                           " BEGIN SELECT RAISE(ABORT, 'disco cheio'); END"
                                     : "DROP TRIGGER bloqueio_" + tabela;
    ASSERT_EQ(sqlite3_exec(db->handle(), sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    db->Close();
}

inline bool tem_pdftotext() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }

class AgendaTest : public comum::Ambiente {
protected:
    void SetUp() override {
        prepara(pasta_programa());
        for (const auto& e : fs::directory_iterator(pasta_programa()))
            if (e.path().extension() == ".pdf") fs::remove(e.path());
        model::define_caminho_banco("");
        platform::Workspace::Default().OpenDatabase(model::caminho_banco())->Close();  // made with its tables
        platform::Report::SetPdfOnly(true);
        acerta_data(platform::MakeDateTime(2026, 6, 3, 10, 0, 0));  // a Wednesday, week 23
        auto& h = model::horta();
        h.cult_can.fill(model::nenhuma);
        h.nome_can.fill("");
        h.idade_can.fill(0);
        h.ult_cult.fill(-1);
        h.penult_cult.fill(-1);
        h.cult_sem.fill(model::nenhuma);
        h.nome_sem.fill("");
        h.idade_sem.fill(0);
        h.seq_cult.fill(0);

        atende_dialogos();
        agenda::registra_formularios();
        telas_vazias({"INTRONEW", "controle_da_sementeira", "trabalhando_na_horta", "help"});
    }

    void TearDown() override {
        comum::Ambiente::TearDown();
        platform::Report::SetPdfOnly(false);
    }

    agenda::age& abre() {
        pf::Forms::Show(agenda::nome_tela_agenda);
        t::ProcessEvents();
        return pf::Forms::Get<agenda::age>(agenda::nome_tela_agenda);
    }

    static void semeia(int k, int cult, int idade = 0) {
        auto& h = model::horta();
        h.cult_sem[k] = cult;
        h.idade_sem[k] = idade;
        h.nome_sem[k] = model::catalogo().nome_cult[cult];
    }
};

}  // namespace agenda_test
