#include "shell/fundo.h"

#include <string>

#include "model/estado.h"
#include "platform/log.h"
#include "platform/sound.h"
#include "shell/intronew.h"
#include "shell/navegacao.h"
#include "shell/semana.h"

namespace shell {

// ------------------------------------------------------------------- fundo

fundo::fundo() {
    SetCaption("Brotalia");
    SetClientSize(12000, 9000);
    SetBackColor(pf::RGB(0, 64, 0));
}

void fundo::Form_Load() {
    SetMousePointer(pf::vbHourglass);
    primeira_ativacao = true;
}

void fundo::Form_Activate() {
    if (!primeira_ativacao) return;
    primeira_ativacao = false;
    model::EstadoSessao& s = model::sessao();
    s.som_ligado = false;
    s.trilha_fundo = false;
    s.primeira_carga = true;
    pf::Forms::Show("Conf_cd", pf::vbModal);
    // The dialog closed by its close box leaves no menu to go on to: the
    // program ends as by "Sair" instead of waiting on an empty screen.
    if (!pf::Forms::Ended() && !pf::Forms::IsLoaded("INTRONEW")) pf::Forms::End();
}

// ------------------------------------------------------------------- Conf_cd

Conf_cd::Conf_cd() {
    SetCaption("Configuração do CD");
    // Tall enough for the open drive list to show all six drives.
    SetClientSize(4680, 2880);

    Label5.SetCaption("Informe sua unidade de CD ?");
    Label5.Move(240, 240, 4200, 300);
    Label5.SetFont(pf::Font{"MS Sans Serif", 9.75, true});
    Label5.SetBackStyle(pf::vbTransparent);

    Combo1.Move(1800, 780, 1080, 315);
    Combo1.SetStyle(2);  // a drive from the list only
    Combo1.SetTabIndex(0);

    Command1.SetCaption("&Ok");
    Command1.Move(600, 2160, 1440, 435);
    Command1.SetTabIndex(1);
    Command1.SetDefault(true);  // Enter confirms the drive shown
    Command2.SetCaption("&Sair");
    Command2.Move(2640, 2160, 1440, 435);
    Command2.SetTabIndex(2);

    Command1.OnClick = [this] { Command1_Click(); };
    Command2.OnClick = [this] { Command2_Click(); };
}

void Conf_cd::Form_Load() {
    model::EstadoSessao& s = model::sessao();
    std::string erro;
    // An unreadable database leaves "C:" preselected; the menu's load tells
    // the player about the database itself.
    if (le_indice_cd(&s.indice_cd, &erro))
        cd_guardado = s.indice_cd;
    else
        platform::LogOnce("shell.conf_cd.le", erro);
    for (const char* u : {"C:", "D:", "E:", "F:", "G:", "H:"}) Combo1.AddItem(u);
    // The stored drive is preselected; an index that is no list position
    // selects nothing.
    Combo1.SetListIndex(unidade_de(s.indice_cd).empty() ? -1 : s.indice_cd);
    // While the player reads the question, the menu's pictures of the stored
    // drive are decoded (begun once the dialog is on the screen, so as not
    // to slow its first picture down), and then the sound module is loaded
    // aside: loading it meanwhile would slow the pictures down, which an
    // answer given at once takes as they are, never waiting for the sound
    // (the game starts with the sound off).
    pf::Screen::AfterNextPaint([] {
        prepara_destino("INTRONEW");
        pf::AfterPrefetch(platform::LoadSoundAside);
    });
}

void Conf_cd::Command1_Click() {
    model::EstadoSessao& s = model::sessao();
    const int escolhido = Combo1.ListIndex();
    // A drive without the game's pictures would leave every screen blank:
    // the dialog waits for another answer, with the drive its notice
    // proposes selected (the stored one when it has the pictures), so that
    // Enter takes it.
    if (escolhido >= 0 && !unidade_tem_midia(escolhido)) {
        const int proposta = unidade_proposta(cd_guardado);
        Combo1.SetListIndex(unidade_de(proposta).empty() ? -1 : proposta);
        avisa_unidade_sem_midia(Caption(), escolhido);
        return;
    }
    // With no drive chosen the stored drive stays as it is; a drive already
    // stored needs no write.
    if (escolhido >= 0) {
        s.indice_cd = escolhido;
        std::string erro;
        // The drive still applies to this run when it cannot be stored.
        if (escolhido != cd_guardado && !grava_indice_cd(s.indice_cd, &erro))
            platform::LogOnce("shell.conf_cd.grava", erro);
    }
    Unload();
    pf::Forms::Show("INTRONEW");
}

void Conf_cd::Command2_Click() { pf::Forms::End(); }

}  // namespace shell
