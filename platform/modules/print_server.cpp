// The hand-off to the print server, a module of its own: the print
// server's library pulls in its network, encryption and discovery libraries,
// loaded only when the first report is printed.

#include "platform/modules/host.h"
#include "platform/modules/print_server.h"

#include <cups/cups.h>
#include <sys/socket.h>

#include <algorithm>

namespace platform {
namespace {

// Called by the library whenever a wait for the server times out: go on
// waiting while the limit is not reached.
int espera_mais(http_t*, void* dados) { return ainda_ha_tempo(*static_cast<Conversa*>(dados)) ? 1 : 0; }

// Never asks anyone for a password: a server that wants one does not print.
const char* sem_senha(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

// Runs on its own thread: connects within the limit, finds the default
// printer and sends each file to it.
void conversa_com_o_servidor(Conversa* c) {
    cupsSetPasswordCB2(sem_senha, nullptr);
    using namespace std::chrono;
    const int ms = static_cast<int>(duration_cast<milliseconds>(c->limite - steady_clock::now()).count());
    http_t* http = ms > 0 ? httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, ms, nullptr)
                          : nullptr;
    if (!http) {
        std::lock_guard<std::mutex> g(c->m);
        c->sem_impressora = ainda_ha_tempo(*c);
        c->pronta = true;
        return;
    }
    httpSetTimeout(http, 0.05, espera_mais, c);
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
            const int trabalho = cupsPrintFile2(http, destino->name, c->arquivos[i].c_str(), c->titulos[i].c_str(),
                                                destino->num_options, destino->options);
            if (trabalho <= 0 && !ainda_ha_tempo(*c)) break;   // no answer in time
            std::lock_guard<std::mutex> g(c->m);
            c->trabalhos[i] = std::max(trabalho, 0);
            if (trabalho <= 0) c->erros[i] = cupsLastErrorString() ? cupsLastErrorString() : "";
        }
        cupsFreeDests(1, destino);
    }
    httpClose(http);
    c->pronta = true;
}

}  // namespace
}  // namespace platform

extern "C" void brotalia_print_server_talk(platform::Conversa* talk) { platform::conversa_com_o_servidor(talk); }
