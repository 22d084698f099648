#include "shell/substitutos.h"

#include <memory>

#include "model/estado.h"

namespace shell {

tela_provisoria::tela_provisoria(const std::string& legenda, std::function<void(tela_provisoria&)> retorno)
    : retorno_(std::move(retorno)) {
    SetCaption(legenda);
    SetClientSize(12000, 9000);
    SetBackColor(pf::RGB(224, 240, 208));

    titulo.SetCaption(legenda);
    titulo.Move(1200, 3000, 9600, 900);
    titulo.SetFont(pf::Font{"Arial", 27.75, true, true});
    titulo.SetForeColor(pf::RGB(0, 0, 128));
    titulo.SetAlignment(pf::vbCenter);
    titulo.SetBackStyle(pf::vbTransparent);

    aviso.SetCaption("Esta tela ainda está em construção.");
    aviso.Move(1200, 4200, 9600, 450);
    aviso.SetFont(pf::Font{"Arial", 12, false});
    aviso.SetAlignment(pf::vbCenter);
    aviso.SetBackStyle(pf::vbTransparent);

    Retornar.SetCaption("Retornar");
    Retornar.Move(120, 480, 1320, 360);
    Retornar.SetFont(pf::Font{"Arial", 15.75, true, true});
    Retornar.SetForeColor(pf::RGB(128, 128, 255));
    Retornar.SetBackStyle(pf::vbTransparent);
    Retornar.OnClick = [this] { Retornar_Click(); };
}

void tela_provisoria::Retornar_Click() {
    Retornar.SetMousePointer(pf::vbHourglass);
    retorno_(*this);
}

std::string tela_de_retorno_do_help(const std::string& tela_atual) {
    if (tela_atual == "horta") return "trabalhando_na_horta";
    if (tela_atual == "Orgânico") return "INTRONEW";
    if (tela_atual == "PGM") return "conf";
    if (tela_atual == "Agenda") return "age";
    return "controle_da_sementeira";
}

namespace {

void registra(const std::string& nome, const std::string& legenda, std::function<void(tela_provisoria&)> retorno) {
    pf::Forms::Register(nome, [legenda, retorno] { return std::make_unique<tela_provisoria>(legenda, retorno); });
}

void volta_ao_menu(tela_provisoria& t) {
    t.Unload();
    pf::Forms::Show("INTRONEW");
}

}  // namespace

void registra_substitutos() {
    registra("trabalhando_na_horta", "Horta", volta_ao_menu);
    registra("controle_da_sementeira", "Sementeira", volta_ao_menu);
    registra("age", "Agenda", volta_ao_menu);
    registra("help", "Ajuda", [](tela_provisoria& t) {
        const std::string destino = tela_de_retorno_do_help(model::sessao().tela_atual);
        t.Unload();
        pf::Forms::Show(destino);
    });
    registra("gamedio", "Jogo da Memória", [](tela_provisoria& t) {
        t.Unload();
        pf::Forms::Show("conf");
    });
}

}  // namespace shell
