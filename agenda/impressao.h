#pragma once
// What the player reads about the reports printed from the agenda: the
// report layer gives a status per report, these words it.

#include <string>
#include <vector>

#include "platform/report.h"

namespace agenda {

// One sentence on one report: where it went, or why it was not written.
std::string texto_do_relatorio(const platform::ReportResult& r);

// After printing: nothing when every report went to the printer; otherwise
// why not, the folder once and the name of each PDF kept there, then any
// report that could not be written at all.
std::string mensagem_da_impressao(const std::vector<platform::ReportResult>& feitos);

}  // namespace agenda
