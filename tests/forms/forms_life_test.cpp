// Life of forms: load, activation order, modal dialogs, unload from a
// handler, fresh instances, and timers.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/forms.h"
#include "platform/forms/testing.h"

namespace pf = platform::forms;
namespace t = platform::forms::test;

namespace {

std::vector<std::string> g_log;
int g_destroyed = 0;

// A form that writes its life events to g_log under its registered name.
class Registro : public pf::Form {
public:
    pf::CommandButton botao{this, "botao"};
    pf::Timer relogio{this, "relogio"};
    int campo = 7;
    std::function<void(Registro&)> aoClicar;
    std::function<void(Registro&)> aoTick;
    int cancelar = 0;

    Registro() {
        SetClientSize(6000, 4500);
        botao.Move(300, 300, 1500, 500);
        botao.SetCaption("&Sim");
        botao.OnClick = [this] {
            g_log.push_back(Name() + ".Click");
            if (aoClicar) aoClicar(*this);
        };
        relogio.OnTimer = [this] {
            if (aoTick) aoTick(*this);
        };
    }
    ~Registro() override { ++g_destroyed; }
    void Form_Load() override { g_log.push_back(Name() + ".Load"); }
    void Form_Activate() override { g_log.push_back(Name() + ".Activate"); }
    void Form_Deactivate() override { g_log.push_back(Name() + ".Deactivate"); }
    void Form_Unload(int& Cancel) override {
        g_log.push_back(Name() + ".Unload");
        Cancel = cancelar;
    }
};

class FormsLife : public ::testing::Test {
protected:
    void SetUp() override {
        t::ResetAll();
        g_log.clear();
        g_destroyed = 0;
        for (const char* n : {"A", "B", "D", "C"}) pf::Forms::Register<Registro>(n);
    }
    void TearDown() override { t::ResetAll(); }
    Registro& F(const char* n) { return pf::Forms::Get<Registro>(n); }
};

TEST_F(FormsLife, ActivationOrderAcrossTwoFormsAndAModalDialog) {
    F("A").Show();
    t::ProcessEvents();
    EXPECT_EQ(g_log, (std::vector<std::string>{"A.Load", "A.Activate"}));
    EXPECT_EQ(pf::Forms::ActiveForm(), &F("A"));

    // A's button shows B: the switch is posted after the handler returns.
    F("A").aoClicar = [](Registro&) {
        pf::Forms::Show("B");
        g_log.push_back("A.fim_do_clique");
    };
    g_log.clear();
    t::Click(F("A").botao);
    EXPECT_EQ(g_log, (std::vector<std::string>{"A.Click", "B.Load", "A.fim_do_clique", "A.Deactivate", "B.Activate"}));

    // B's button asks a question in the modal D; D's button hides it.
    F("D").aoClicar = [](Registro& d) { d.Hide(); };
    t::SetModalHook([](pf::Form& d) {
        g_log.push_back("hook " + d.Name());
        t::Click(static_cast<Registro&>(d).botao);
    });
    F("B").aoClicar = [](Registro&) {
        pf::Forms::Show("D", pf::vbModal);
        g_log.push_back("B.depois_do_modal");
    };
    g_log.clear();  // D was loaded above by setting its handler
    t::Click(F("B").botao);
    EXPECT_EQ(g_log, (std::vector<std::string>{"B.Click", "B.Deactivate", "D.Activate", "hook D", "D.Click",
                                               "B.depois_do_modal", "D.Deactivate", "B.Activate"}));
    EXPECT_TRUE(pf::Forms::IsLoaded("D"));  // hidden, not unloaded
    EXPECT_FALSE(F("D").Visible());

    // B unloads itself and the screen beneath becomes active again.
    F("B").aoClicar = [](Registro& b) { b.Unload(); };
    g_log.clear();
    t::Click(F("B").botao);
    EXPECT_EQ(g_log, (std::vector<std::string>{"B.Click", "B.Unload", "A.Activate"}));
    EXPECT_FALSE(pf::Forms::IsLoaded("B"));
}

TEST_F(FormsLife, ADialogHiddenAndAskedAgainIsActivatedAgain) {
    F("A").Show();
    F("D").aoClicar = [](Registro& d) { d.Hide(); };
    t::SetModalHook([](pf::Form& d) { t::Click(static_cast<Registro&>(d).botao); });
    t::ProcessEvents();
    g_log.clear();
    // Two questions in a row from one handler, before the event loop runs.
    F("A").aoClicar = [](Registro&) {
        pf::Forms::Show("D", pf::vbModal);
        pf::Forms::Show("D", pf::vbModal);
    };
    t::Click(F("A").botao);
    EXPECT_EQ(g_log, (std::vector<std::string>{"A.Click", "A.Deactivate", "D.Activate", "D.Click", "D.Deactivate",
                                               "D.Activate", "D.Click", "D.Deactivate", "A.Activate"}));
}

TEST_F(FormsLife, UnloadFromItsOwnHandlerThenShowTheNextScreen) {
    F("A").Show();
    t::ProcessEvents();
    int depois = 0;
    F("A").aoClicar = [&](Registro& a) {
        a.Unload();
        pf::Forms::Show("B");
        // The unloaded form is still safe to touch until the handler returns.
        a.campo += 1;
        a.botao.SetCaption("ainda vivo");
        depois = a.campo;
    };
    g_log.clear();
    t::Click(F("A").botao);
    EXPECT_EQ(depois, 8);
    EXPECT_FALSE(pf::Forms::IsLoaded("A"));
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(g_log, (std::vector<std::string>{"A.Click", "A.Unload", "B.Load", "B.Activate"}));
    EXPECT_EQ(pf::Forms::ActiveForm(), &F("B"));
}

TEST_F(FormsLife, NextUseAfterUnloadLoadsAFreshInstance) {
    Registro* first = &F("A");
    first->campo = 99;
    first->botao.SetCaption("mudado");
    pf::Forms::Unload("A");
    t::ProcessEvents();
    EXPECT_EQ(g_destroyed, 1);
    Registro& second = F("A");
    EXPECT_EQ(second.campo, 7);
    EXPECT_EQ(second.botao.Caption(), "&Sim");
    EXPECT_EQ(g_log, (std::vector<std::string>{"A.Load", "A.Unload", "A.Load"}));
}

TEST_F(FormsLife, UnloadCanBeRefusedAndUnknownNamesAreErrors) {
    F("A").cancelar = 1;
    pf::Forms::Unload("A");
    EXPECT_TRUE(pf::Forms::IsLoaded("a"));  // names ignore case
    EXPECT_THROW(pf::Forms::Get("nao_existe"), std::logic_error);
    // A modal show that nothing could answer fails loudly instead of hanging.
    EXPECT_THROW(F("D").Show(pf::vbModal), std::logic_error);
}

TEST_F(FormsLife, TimerBeneathAModalDialogKeepsTickingAndNeverReenters) {
    // Runs the event loop until `visto` holds; the bound is only there so a
    // fault fails instead of hanging, far above the few 10 ms ticks waited.
    const auto ate = [](const std::function<bool()>& visto) {
        for (int k = 0; k < 500 && !visto(); ++k) t::RunFor(10);
        return visto();
    };
    int ticksA = 0, ticksC = 0, emCurso = 0, maxEmCurso = 0;
    F("C").Show();
    F("C").relogio.SetInterval(10);
    F("C").aoTick = [&](Registro&) { ++ticksC; };
    F("A").Show();
    F("A").relogio.SetInterval(10);
    // A's first tick opens the modal dialog and stays inside it.
    F("A").aoTick = [&](Registro&) {
        ++ticksA;
        ++emCurso;
        maxEmCurso = std::max(maxEmCurso, emCurso);
        if (ticksA == 1) pf::Forms::Show("D", pf::vbModal);
        --emCurso;
    };
    bool fechou = false, cTicouNoModal = false;
    t::SetModalHook([&](pf::Form& d) {
        const int antes = ticksC;
        cTicouNoModal = ate([&] { return ticksC - antes >= 3; });  // the screen beneath keeps ticking
        // Input reaches only the dialog.
        t::Click(F("C").botao);
        d.Hide();
        fechou = true;
    });
    EXPECT_TRUE(ate([&] { return fechou && ticksA >= 2; }));  // A resumed after the dialog closed
    EXPECT_TRUE(cTicouNoModal);
    EXPECT_EQ(maxEmCurso, 1);
    EXPECT_EQ(std::count(g_log.begin(), g_log.end(), "C.Click"), 0);
}

TEST_F(FormsLife, TimerIntervalRulesAndLateTicks) {
    Registro& a = F("A");
    int ticks = 0;
    a.aoTick = [&](Registro&) { ++ticks; };
    EXPECT_FALSE(t::TickTimer(a.relogio));  // Interval 0: stopped
    a.relogio.SetInterval(100);
    EXPECT_TRUE(t::TickTimer(a.relogio));
    a.relogio.SetEnabled(false);
    EXPECT_FALSE(t::TickTimer(a.relogio));  // a tick arriving after the stop is dropped
    a.relogio.SetEnabled(true);
    // A handler that stops its own timer: later ticks are dropped.
    a.aoTick = [&](Registro& r) {
        ++ticks;
        r.relogio.SetInterval(0);
    };
    a.relogio.SetInterval(5);
    t::RunFor(60);
    EXPECT_EQ(ticks, 2);
    // Unloading the form stops its timers for good.
    a.relogio.SetInterval(5);
    Registro* old = &a;
    pf::Forms::Unload("A");
    EXPECT_FALSE(old->relogio.Tick());
    t::RunFor(30);
    EXPECT_EQ(ticks, 2);
}

TEST_F(FormsLife, EndDiscardsEveryFormAndEndsModalShows) {
    F("A").Show();
    t::SetModalHook([](pf::Form&) { pf::Forms::End(); });
    F("A").aoClicar = [](Registro&) {
        pf::Forms::Show("D", pf::vbModal);
        g_log.push_back("voltou");
    };
    t::Click(F("A").botao);
    EXPECT_TRUE(pf::Forms::Ended());
    EXPECT_FALSE(pf::Forms::IsLoaded("A"));
    EXPECT_FALSE(pf::Forms::IsLoaded("D"));
    EXPECT_EQ(g_log.back(), "voltou");
}

TEST_F(FormsLife, FormsLeftAtTheEndAreDestroyedByResetNotAtExit) {
    // End() leaves the discarded forms for an event loop that no longer
    // runs; the program destroys them with Reset() while the application
    // object and the layer's state still exist.
    F("A").Show();
    t::ProcessEvents();
    const int antes = g_destroyed;
    pf::Forms::End();
    EXPECT_EQ(g_destroyed, antes);
    pf::Forms::Reset();
    EXPECT_EQ(g_destroyed, antes + 1);
}

}  // namespace

namespace {

TEST_F(FormsLife, FormHolderReachesTheCurrentInstance) {
    pf::FormHolder<Registro> a{"A"};
    EXPECT_FALSE(a.IsLoaded());
    a->campo = 3;  // first use loads it
    EXPECT_TRUE(a.IsLoaded());
    EXPECT_EQ(pf::Forms::Find("a"), &*a);
    a.Unload();
    EXPECT_EQ(a->campo, 7);  // a new instance
    EXPECT_EQ(pf::Forms::Loaded().size(), 1u);
    class Outro : public pf::Form {};
    EXPECT_THROW(pf::Forms::Get<Outro>("A"), std::logic_error);  // registered as another kind
}

}  // namespace
