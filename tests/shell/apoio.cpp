#include "apoio.h"

#include <QCoreApplication>
#include <QTimer>

#include <atomic>

#include "platform/log.h"
#include "platform/paths.h"
#include "shell/dialogos.h"
#include "shell/registro.h"
#include "tests/comum/ambiente.h"

namespace apoio {

void grava_figuras_do_menu(const std::filesystem::path& unidade) {
    for (const char* nome : {"port00.bmp", "mudas007.bmp", "enx00c.bmp", "cesta9.bmp", "age10.bmp", "int00.bmp",
                             "nhoca0p.bmp"})
        comum::grava_bmp(unidade / "anima" / nome);
}

namespace {

// A screen the shell leads to that lives in another library: it only has to
// exist.
class TelaVazia : public pf::Form {};

}  // namespace

void Ambiente::SetUp() {
    static std::atomic<int> contador{0};
    pasta = std::filesystem::temp_directory_path() /
            ("brotalia-shell-" + std::to_string(::getpid()) + "-" + std::to_string(contador++));
    std::filesystem::remove_all(pasta);
    std::filesystem::create_directories(pasta);
    // Every drive holds the pictures the main menu needs unless a test takes
    // them away.
    for (const char* u : {"C", "D", "E", "F", "G", "H"}) grava_figuras_do_menu(pasta / "drives" / u);

    t::ResetAll();
    platform::SetLogToStderr(false);
    platform::ResetLog();
    platform::SetProgramFolder(pasta.string());
    platform::InvalidatePathCache();
    platform::SetNow(dt(2026, 12, 9, 10, 0));  // a Wednesday
    model::define_caminho_banco("");
    model::reinicia_estado();
    model::reinicia_banco();
    som = &platform::UseRecordingSoundBackend();

    reinicia_formularios();
}

void Ambiente::reinicia_formularios() {
    t::ResetAll();
    // A program ended by an earlier test leaves the toolkit's "quit now" mark,
    // which would end every later modal loop at once; one pass of the main
    // loop clears it.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    platform::SetLogToStderr(false);
    for (const char* nome : {"trabalhando_na_horta", "controle_da_sementeira", "age", "help", "gamedio"})
        pf::Forms::Register<TelaVazia>(nome);
    shell::registra_formularios();
    pf::SetPictureLoadObserver([this](const std::string& p, bool) { figuras.push_back(p); });

    t::SetModalHook([this](pf::Form& f) {
        Dialogo d{f.Name(), f.Caption(), {}, {}};
        if (f.Name() == "ok") {
            auto& ok = static_cast<shell::ok&>(f);
            d.texto = ok.mensagem.Caption();
            dialogos.push_back(d);
            t::Click(ok.opções);
            return;
        }
        if (f.Name() == "form_ok_nao") {
            auto& q = static_cast<shell::form_ok_nao&>(f);
            d.texto = q.mensagem.Caption();
            dialogos.push_back(d);
            Resposta r = Resposta::nao;
            if (!respostas_.empty()) {
                r = respostas_.front();
                respostas_.pop_front();
            }
            switch (r) {
                case Resposta::sim: t::Click(q.opções(0)); break;
                case Resposta::enter: t::KeyPress(13); break;
                case Resposta::escape: t::KeyPress(27); break;
                case Resposta::fechar: t::ClickCloseBox(); break;
                default: t::Click(q.opções(1)); break;
            }
            return;
        }
        if (f.Name() == "ok_help") {
            // The notice's picture is the last one loaded before it was shown
            // (a missing file leaves the form's picture empty).
            d.texto = figuras.empty() ? std::string() : figuras.back();
            d.linha = static_cast<shell::ok_help&>(f).mensagem.Caption();
            dialogos.push_back(d);
            if (durante_aviso) durante_aviso();
            if (!pf::Forms::Ended()) f.Unload();
            return;
        }
        dialogos.push_back(d);
        if (outro_modal) outro_modal(f);
    });
}

void Ambiente::TearDown() {
    pf::SetPictureLoadObserver({});
    t::ResetAll();
    platform::SetNow(std::nullopt);
    platform::SetSoundBackend(nullptr);
    platform::SetProgramFolder("");
    std::error_code ec;
    std::filesystem::remove_all(pasta, ec);
}

std::vector<std::string> Ambiente::sons() const {
    std::vector<std::string> r;
    for (const auto& c : som->calls) {
        std::string nome = c.path;
        auto p = nome.find_last_of("\\/");
        if (p != std::string::npos) nome = nome.substr(p + 1);
        switch (c.kind) {
            case platform::SoundCall::Kind::Sync: r.push_back("S:" + nome); break;
            case platform::SoundCall::Kind::Async: r.push_back("A:" + nome); break;
            case platform::SoundCall::Kind::Cut: r.push_back("C:" + nome); break;
            case platform::SoundCall::Kind::Media: r.push_back("M:" + nome); break;
        }
    }
    return r;
}

void Ambiente::limpa_sons() { som->calls.clear(); }

std::unique_ptr<platform::Database> Ambiente::banco() {
    return platform::Workspace::Default().OpenDatabase(model::caminho_banco());
}

void Ambiente::grava_semana(const platform::Value& cd, const platform::Value& data) {
    auto db = banco();
    auto rs = db->OpenRecordset("semana");
    rs->MoveFirst();
    rs->Edit();
    rs->SetField("cd", cd);
    rs->SetField("data", data);
    rs->Update();
    rs->Close();
    db->Close();
}

platform::Value Ambiente::le_semana(const std::string& campo) {
    auto db = banco();
    auto rs = db->OpenRecordset("semana");
    rs->MoveFirst();
    platform::Value v = rs->Fields(campo);
    rs->Close();
    db->Close();
    return v;
}

}  // namespace apoio
