#pragma once
// Common ground of the shell's tests: a fresh program folder with its own
// game database, the recording sound back end, a set clock, the shell's
// forms registered, and a modal hook that answers the dialogs from a queue
// and records what each one showed.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "model/modelo.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "platform/paths.h"
#include "platform/sound.h"

namespace apoio {

namespace pf = platform::forms;
namespace t = platform::forms::test;

// What a modal dialog showed.
struct Dialogo {
    std::string nome;     // "ok", "form_ok_nao", "ok_help", "Conf_cd" ...
    std::string legenda;  // caption
    std::string texto;    // message label, or the picture's game path for ok_help
    std::string linha;    // ok_help: the line written over the picture
};

// How to answer the next modal dialog.
enum class Resposta { sim, nao, enter, escape, fechar, ok };

class Ambiente : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A fresh forms registry with the shell's forms and this fixture's hooks.
    void reinicia_formularios();

    // Answers for the coming yes/no questions, in order (default: no).
    void responde(std::initializer_list<Resposta> r) { respostas_.insert(respostas_.end(), r); }
    // Called for any modal form the queue does not handle (Conf_cd...).
    std::function<void(pf::Form&)> outro_modal;
    // Called while a picture notice (ok_help) is up, before it is closed.
    std::function<void()> durante_aviso;

    // Sound requests as "S:name" (sync), "A:name" (async), "C" (cut), by file name only.
    std::vector<std::string> sons() const;
    void limpa_sons();
    // Every picture path loaded since the last limpa_figuras().
    std::vector<std::string> figuras;
    void limpa_figuras() { figuras.clear(); }

    // Opens the game database of the test's program folder.
    std::unique_ptr<platform::Database> banco();
    void grava_semana(const platform::Value& cd, const platform::Value& data);
    platform::Value le_semana(const std::string& campo);

    std::filesystem::path pasta;
    std::vector<Dialogo> dialogos;
    platform::RecordingSoundBackend* som = nullptr;

private:
    std::deque<Resposta> respostas_;
};

// Writes, under a drive's folder, the pictures the main menu shows from it.
void grava_figuras_do_menu(const std::filesystem::path& unidade);

// Local date-time shortcut.
inline platform::DateTime dt(int a, int m, int d, int h = 0, int mi = 0) {
    return platform::MakeDateTime(a, m, d, h, mi, 0);
}

}  // namespace apoio
