#pragma once
// Common ground of the agenda tests: a program folder of this test process
// holding the game database and the report layouts, a clean model, a set
// clock, a recording sound back end, the shared dialogs answered by a
// scripted player, stand-ins for the screens the agenda leads to, and
// reports always written to PDF (no printer is ever used).

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "agenda/age.h"
#include "agenda/listas.h"
#include "agenda/pendencias.h"
#include "agenda/registro.h"
#include "agenda/tabelas_relatorio.h"
#include "model/modelo.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/report.h"
#include "platform/sound.h"
#include "platform/forms/testing.h"
#include "shell/dialogos.h"

namespace agenda_test {

namespace fs = std::filesystem;
namespace pf = platform::forms;
namespace t = platform::forms::test;

inline const std::string& pasta_programa() {
    static const std::string pasta = [] {
        const fs::path raiz = fs::temp_directory_path() / ("brotalia-agenda-" + std::to_string(::getpid()));
        fs::remove_all(raiz);
        const fs::path anima = raiz / "drives" / "E" / "anima";
        fs::create_directories(anima);
        // A 1 x 1 24-bit bitmap under every frame name the agenda shows.
        const unsigned char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0,
                                       0,   0,   1,  0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B,
                                       0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0};
        auto grava = [&](const std::string& nome) {
            std::ofstream(anima / nome, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
        };
        auto quadros = [&](const std::string& prefixo, int primeiro, int ultimo, const std::string& sufixo = "") {
            for (int n = primeiro; n <= ultimo; ++n)
                grava(prefixo + (n < 10 ? "0" : "") + std::to_string(n) + sufixo + ".bmp");
        };
        quadros("pla", 1, 10);
        quadros("sem", 0, 12);
        quadros("tra", 0, 12);
        quadros("li", 0, 12);
        quadros("des", 0, 12);
        quadros("amo", 0, 11);
        quadros("cop", 0, 13);
        quadros("cof", 0, 13);
        quadros("hort", 0, 7);
        quadros("mudas0", 0, 7);
        quadros("enx", 0, 10, "c");
        quadros("imp", 0, 6);
        quadros("planet", 1, 10);
        quadros("seman", 1, 7);
        for (const char* nome : {"relatb.rpt", "rrr.rpt"})
            fs::copy_file(fs::path(BROTALIA_FONTE_RELATORIOS) / nome, raiz / nome, fs::copy_options::overwrite_existing);
        return raiz.string();
    }();
    return pasta;
}

// A screen the agenda leads to; it only has to exist.
class TelaVazia : public pf::Form {};

struct Dialogo {
    std::string nome, titulo, mensagem;
};

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

inline bool tem_pdftotext() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }

class AgendaTest : public ::testing::Test {
protected:
    void SetUp() override {
        t::ResetAll();
        platform::SetLogToStderr(false);
        platform::SetProgramFolder(pasta_programa());
        platform::InvalidatePathCache();
        for (const char* pdf : {"relatorio_da_semana.pdf", "relatorio_de_rotacao.pdf"})
            fs::remove(fs::path(pasta_programa()) / pdf);
        model::reinicia_estado();
        model::define_caminho_banco("");
        platform::Workspace::Default().OpenDatabase(model::caminho_banco())->Close();  // made with its tables
        platform::Report::SetPdfOnly(true);
        sons = &platform::UseRecordingSoundBackend();
        platform::SetNow(platform::MakeDateTime(2026, 6, 3, 10, 0, 0));  // a Wednesday, week 23
        auto& h = model::horta();
        h.data_real = h.data_agenda = platform::Now();
        auto& s = model::sessao();
        s.dir_anima = "E:";
        s.dir_som = "E:\\audio\\caipira";
        h.cult_can.fill(model::nenhuma);
        h.nome_can.fill("");
        h.idade_can.fill(0);
        h.ult_cult.fill(-1);
        h.penult_cult.fill(-1);
        h.cult_sem.fill(model::nenhuma);
        h.nome_sem.fill("");
        h.idade_sem.fill(0);
        h.seq_cult.fill(0);

        shell::registra_dialogos();
        agenda::registra_formularios();
        for (const char* nome : {"INTRONEW", "controle_da_sementeira", "trabalhando_na_horta", "help"})
            pf::Forms::Register<TelaVazia>(nome);
        t::SetModalHook([this](pf::Form& d) { responde(d); });
    }

    void TearDown() override {
        t::SetModalHook({});
        platform::SetNow(std::nullopt);
        t::ResetAll();
        platform::Report::SetPdfOnly(false);
        platform::SetProgramFolder("");
    }

    void responde(pf::Form& d) {
        Dialogo r{d.Name(), d.Caption(), ""};
        if (auto* okf = dynamic_cast<shell::ok*>(&d)) r.mensagem = okf->mensagem.Caption();
        if (auto* sn = dynamic_cast<shell::form_ok_nao*>(&d)) r.mensagem = sn->mensagem.Caption();
        dialogos.push_back(r);
        if (auto* okf = dynamic_cast<shell::ok*>(&d)) {
            t::Click(okf->opções);
        } else if (auto* sn = dynamic_cast<shell::form_ok_nao*>(&d)) {
            const bool sim = !respostas.empty() && respostas.front();
            if (!respostas.empty()) respostas.pop_front();
            t::Click(sn->opções(sim ? 0 : 1));
        } else {
            d.Unload();
        }
    }

    agenda::age& abre() {
        pf::Forms::Show(agenda::nome_tela_agenda);
        t::ProcessEvents();
        return pf::Forms::Get<agenda::age>(agenda::nome_tela_agenda);
    }

    static void planta(int i, int cult, int idade = 0) {
        auto& h = model::horta();
        h.cult_can[i] = cult;
        h.idade_can[i] = idade;
        h.nome_can[i] = model::catalogo().nome_cult[cult];
    }
    static void semeia(int k, int cult, int idade = 0) {
        auto& h = model::horta();
        h.cult_sem[k] = cult;
        h.idade_sem[k] = idade;
        h.nome_sem[k] = model::catalogo().nome_cult[cult];
    }

    int tocou(const std::string& nome) const {
        int n = 0;
        for (const auto& c : sons->calls)
            if (c.path.size() >= nome.size() && c.path.compare(c.path.size() - nome.size(), nome.size(), nome) == 0)
                ++n;
        return n;
    }

    platform::RecordingSoundBackend* sons = nullptr;
    std::vector<Dialogo> dialogos;
    std::deque<bool> respostas;
};

}  // namespace agenda_test
