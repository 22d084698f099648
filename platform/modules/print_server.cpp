// The hand-off to the print server, a module of its own: the print
// server's library pulls in its network, encryption and discovery libraries,
// loaded only when the first report is printed.

#include "platform/modules/host.h"
#include "platform/modules/print_server.h"

#include <cups/cups.h>
#include <sys/socket.h>

#include <fstream>

namespace platform {
namespace {

using Relogio = std::chrono::steady_clock;

// How long past the caller's limit the thread still waits for the number of
// a job it asked for: a job the server creates after the caller stopped
// waiting is then cancelled, so that the player's "did not answer" holds and
// printing again never prints twice.
constexpr auto kAtrasoTolerado = std::chrono::seconds(20);

// The end of the wait for the answer in progress.
struct Espera {
    Relogio::time_point ate;
};

// Called by the library whenever a wait for the server times out: go on
// waiting while the wait's end is not reached.
int espera_mais(http_t*, void* dados) { return Relogio::now() < static_cast<Espera*>(dados)->ate ? 1 : 0; }

// Never asks anyone for a password: a server that wants one does not print.
const char* sem_senha(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

http_t* conecta(Relogio::time_point ate) {
    const int ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(ate - Relogio::now()).count());
    return ms > 0 ? httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, ms, nullptr)
                  : nullptr;
}

// Cancels a job the caller no longer counts as printed, on a connection of
// its own (the talk's may be in the middle of a request given up).
void cancela(const char* impressora, int trabalho) {
    Espera espera{Relogio::now() + std::chrono::seconds(5)};
    http_t* http = conecta(espera.ate);
    if (!http) return;
    httpSetTimeout(http, 0.05, espera_mais, &espera);
    cupsCancelJob2(http, impressora, trabalho, 0);
    httpClose(http);
}

// Sends the file as the job's one document, within the talk's limit.
bool envia(http_t* http, const char* impressora, int trabalho, const std::string& arquivo, const char* titulo,
           const Conversa& c) {
    std::ifstream in(arquivo, std::ios::binary);
    if (!in || cupsStartDocument(http, impressora, trabalho, titulo, CUPS_FORMAT_AUTO, 1) != HTTP_STATUS_CONTINUE)
        return false;
    char bloco[32768];
    while (in.read(bloco, sizeof bloco) || in.gcount() > 0) {
        if (!ainda_ha_tempo(c) ||
            cupsWriteRequestData(http, bloco, static_cast<std::size_t>(in.gcount())) != HTTP_STATUS_CONTINUE)
            return false;
    }
    // The server's answer itself, not the library's last status: an answer
    // given up at the limit leaves that status as the request before it set.
    ipp_t* resposta = cupsGetResponse(http, ("/printers/" + std::string(impressora)).c_str());
    const bool aceito = resposta && ippGetStatusCode(resposta) < IPP_STATUS_REDIRECTION_OTHER_SITE;
    ippDelete(resposta);
    return aceito;
}

// Runs on its own thread: connects within the limit, finds the default
// printer and sends each file to it. A job is made first and its document
// sent only while there is time, so a job known too late is never printed:
// it is cancelled.
void conversa_com_o_servidor(Conversa* c) {
    cupsSetPasswordCB2(sem_senha, nullptr);
    http_t* http = conecta(c->limite);
    if (!http) {
        std::lock_guard<std::mutex> g(c->m);
        c->sem_impressora = ainda_ha_tempo(*c);
        c->pronta = true;
        return;
    }
    Espera espera{c->limite};
    httpSetTimeout(http, 0.05, espera_mais, &espera);
    cups_dest_t* destino = cupsGetNamedDest(http, nullptr, nullptr);
    if (!destino) {
        std::lock_guard<std::mutex> g(c->m);
        c->sem_impressora = ainda_ha_tempo(*c);
    } else {
        {
            std::lock_guard<std::mutex> g(c->m);
            c->impressora = destino->name;
        }
        for (std::size_t i = 0; i < c->arquivos.size() && ainda_ha_tempo(*c); ++i) {
            const char* titulo = c->titulos[i].c_str();
            espera.ate = c->limite + kAtrasoTolerado;
            const int trabalho = cupsCreateJob(http, destino->name, titulo, destino->num_options, destino->options);
            espera.ate = c->limite;
            if (trabalho <= 0) {
                if (!ainda_ha_tempo(*c)) break;  // no answer in time
                std::lock_guard<std::mutex> g(c->m);
                c->trabalhos[i] = 0;
                c->erros[i] = cupsLastErrorString() ? cupsLastErrorString() : "";
                continue;
            }
            bool enviado = ainda_ha_tempo(*c) && envia(http, destino->name, trabalho, c->arquivos[i], titulo, *c);
            std::string erro;
            if (!enviado) erro = cupsLastErrorString() ? cupsLastErrorString() : "";
            {
                // The caller reads the jobs under the lock once it stops
                // waiting: a job recorded here is one it reports as printed.
                std::lock_guard<std::mutex> g(c->m);
                if (enviado && !c->desistiu) {
                    c->trabalhos[i] = trabalho;
                    continue;
                }
                if (!c->desistiu && Relogio::now() < c->limite) {
                    c->trabalhos[i] = 0;
                    c->erros[i] = erro;
                }
            }
            cancela(destino->name, trabalho);
            if (!ainda_ha_tempo(*c)) break;
        }
        cupsFreeDests(1, destino);
    }
    httpClose(http);
    c->pronta = true;
}

}  // namespace
}  // namespace platform

extern "C" void brotalia_print_server_talk(platform::Conversa* talk) { platform::conversa_com_o_servidor(talk); }
