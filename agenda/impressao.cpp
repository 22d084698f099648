#include "agenda/impressao.h"

#include "platform/log.h"

namespace agenda {

namespace {

using platform::ReportStatus;

std::string entre_aspas(const std::string& s) { return "\"" + s + "\""; }

std::string nome_do_arquivo(const std::string& caminho) {
    const auto barra = caminho.find_last_of("/\\");
    return barra == std::string::npos ? caminho : caminho.substr(barra + 1);
}

// Why a report kept as its PDF did not go to the printer.
std::string motivo(const platform::ReportResult& r) {
    switch (r.status) {
        case ReportStatus::SavedRefused:
            platform::LogOnce("impressao-recusada-" + r.destination + "-" + r.detail,
                              "A impressora " + r.destination + " recusou um relatório: " + r.detail);
            return "A impressora " + entre_aspas(r.destination) + " não aceitou a impressão.";
        case ReportStatus::SavedNoAnswer: return "A impressora não respondeu.";
        default: return "Não há impressora disponível.";
    }
}

}  // namespace

std::string texto_do_relatorio(const platform::ReportResult& r) {
    switch (r.status) {
        case ReportStatus::Printed:
            return "O relatório " + entre_aspas(r.title) + " foi enviado para a impressora " + r.destination + ".";
        case ReportStatus::SavedNoPrinter:
        case ReportStatus::SavedRefused:
        case ReportStatus::SavedNoAnswer:
            return motivo(r) + " O relatório " + entre_aspas(r.title) + " foi salvo no arquivo " + r.pdfPath + ".";
        case ReportStatus::NoWindow: return "A impressão precisa da janela do programa aberta.";
        case ReportStatus::LayoutNotFound:
            return "O modelo de relatório não foi encontrado: " +
                   (r.file.empty() ? std::string("(nenhum arquivo indicado)") : r.file);
        case ReportStatus::LayoutUnreadable: return "Não foi possível ler o modelo de relatório " + r.file + ".";
        case ReportStatus::LayoutError:
            platform::LogOnce("relatorio-modelo-" + r.file + "-" + std::to_string(r.line),
                              "Modelo de relatório " + r.file + ", linha " + std::to_string(r.line) + ": " + r.detail);
            return "O modelo de relatório " + nome_do_arquivo(r.file) + " tem um erro na linha " +
                   std::to_string(r.line) + ".";
        case ReportStatus::ValueMissing:
            return "O relatório " + entre_aspas(r.title) + " precisa do valor {" + r.name + "}, que não foi informado.";
        case ReportStatus::NoDatabase:
            return "O relatório " + entre_aspas(r.title) + " não indica o banco de dados de onde lê as tabelas.";
        case ReportStatus::DatabaseNotFound: return "O banco de dados do relatório não foi encontrado: " + r.file;
        case ReportStatus::DatabaseUnreadable:
            return "Não foi possível ler o banco de dados do relatório: " + r.detail;
        case ReportStatus::TableMissing:
            return "A tabela " + entre_aspas(r.name) + " não existe no banco de dados " + r.file + ".";
        case ReportStatus::FieldMissing:
            return "O campo " + entre_aspas(r.name) + " não existe na tabela " + entre_aspas(r.table) + ".";
        case ReportStatus::BadPdfName:
            return "O nome do arquivo PDF do relatório " + entre_aspas(r.title) + " não é um nome simples: " + r.name;
        case ReportStatus::PdfNotWritable:
            // Why the system refused the file (a full disk...), when known.
            if (!r.detail.empty()) return "O relatório " + entre_aspas(r.title) + " não foi salvo. " + r.detail;
            return "Não foi possível gravar o arquivo " + r.pdfPath + ". Veja se ele não está aberto em outro programa.";
        case ReportStatus::Failed: break;
    }
    return "Não foi possível imprimir o relatório: " + r.detail;
}

std::string mensagem_da_impressao(const std::vector<platform::ReportResult>& feitos) {
    std::string motivos, pasta, arquivos, falhas;
    int salvos = 0;
    for (const auto& r : feitos) {
        if (!r.ok()) {
            falhas += "\n" + texto_do_relatorio(r);
        } else if (r.pdf()) {
            const std::string m = motivo(r);
            if (motivos.find(m) == std::string::npos) motivos += m + " ";
            const auto barra = r.pdfPath.find_last_of("/\\");
            pasta = r.pdfPath.substr(0, barra == std::string::npos ? 0 : barra);
            arquivos += "\n" + r.pdfPath.substr(barra == std::string::npos ? 0 : barra + 1);
            ++salvos;
        }
    }
    std::string msg;
    if (salvos > 0)
        msg = motivos + (salvos > 1 ? "Os relatórios foram salvos na pasta " : "O relatório foi salvo na pasta ") +
              pasta + ":" + arquivos;
    msg += falhas;
    if (!msg.empty() && msg.front() == '\n') msg.erase(0, 1);
    return msg;
}

}  // namespace agenda
