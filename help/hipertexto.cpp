#include "help/hipertexto.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "help/texto_ansi.h"
#include "platform/log.h"
#include "platform/paths.h"

namespace help {

std::vector<TopicIndexRec> TopicIndex(1);
int TopicCount = 0;
bool FilesOpen = false;

namespace {

std::ifstream HtfFile;
std::ifstream IdxFile;

std::string sem_brancos_finais(std::string s) {
    const auto fim = s.find_last_not_of(' ');
    s.erase(fim == std::string::npos ? 0 : fim + 1);
    return s;
}

void fecha_par() {
    if (HtfFile.is_open()) HtfFile.close();
    if (IdxFile.is_open()) IdxFile.close();
}

std::int32_t le_numero(const char* p) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(p[k]);
    return static_cast<std::int32_t>(v);
}

// Reads record n (from 1) of an open record file; false past its end.
bool le_registro(std::ifstream& f, std::int32_t n, TopicTextRec& rec) {
    if (n < 1) return false;
    f.clear();
    f.seekg(static_cast<std::streamoff>(n - 1) * kTamanhoRegistro);
    char buf[kTamanhoRegistro];
    if (!f.read(buf, kTamanhoRegistro)) {
        f.clear();
        return false;
    }
    rec.Text.assign(buf, kTamanhoTexto);
    rec.PrevChunk = le_numero(buf + kTamanhoTexto);
    return true;
}

// The source's lines (without their CR LF), in the single-byte code page.
bool le_fonte(const std::string& source, std::vector<std::string>& linhas) {
    const std::string real = platform::ResolvePath(source);
    if (real.empty()) return false;
    std::ifstream in(real, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    // A source saved by an editor that writes UTF-8 (with or without its
    // byte-order mark) is read as such.
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    if (parece_utf8(bytes)) bytes = utf8_para_ansi(bytes);
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t fim = bytes.find('\n', i);
        if (fim == std::string::npos) fim = bytes.size();
        std::string linha = bytes.substr(i, fim - i);
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        linhas.push_back(std::move(linha));
        i = fim + 1;
    }
    return true;
}

}  // namespace

// The cut is made in the file name only: a "." in a folder of the program's
// path would otherwise send every subject's pair out of that folder, under
// one shared name.
std::string BaseName(const std::string& name) {
    const std::size_t sep = name.find_last_of("\\/");
    const std::size_t inicio = sep == std::string::npos ? 0 : sep + 1;
    const std::size_t ponto = name.find('.', inicio);
    return ponto == std::string::npos ? name : name.substr(0, ponto);
}

std::string EncodeRecord(const std::string& ansiText, std::int32_t number) {
    std::string rec = ansiText.substr(0, kTamanhoTexto);
    rec.resize(kTamanhoTexto, ' ');
    const auto v = static_cast<std::uint32_t>(number);
    for (int k = 0; k < 4; ++k) rec += static_cast<char>((v >> (8 * k)) & 0xFF);
    return rec;
}

std::vector<TopicTextRec> ReadRecords(const std::string& realPath) {
    std::vector<TopicTextRec> r;
    std::ifstream f(realPath, std::ios::binary);
    TopicTextRec rec;
    for (std::int32_t n = 1; f && le_registro(f, n, rec); ++n) r.push_back(rec);
    return r;
}

bool CompileHypertextSource(const std::string& source) {
    const std::string base = BaseName(source);
    std::vector<std::string> linhas;
    const bool lida = le_fonte(source, linhas);
    if (FilesOpen) fecha_par();
    if (!lida) {
        platform::LogOnce("help-fonte:" + source, "texto de ajuda não encontrado: " + source);
        FilesOpen = false;
        return false;
    }

    // Both record files start empty.
    const std::string htf_path = platform::ResolvePathForWrite(base + ".HTF");
    const std::string idx_path = platform::ResolvePathForWrite(base + ".IDX");
    std::ofstream htf, idx;
    if (!htf_path.empty()) htf.open(htf_path, std::ios::binary | std::ios::trunc);
    if (!idx_path.empty()) idx.open(idx_path, std::ios::binary | std::ios::trunc);
    platform::InvalidatePathCache();
    FilesOpen = false;
    if (!htf || !idx) {
        platform::LogOnce("help-grava:" + base, "não foi possível gravar os arquivos de tópicos de " + base);
        return false;
    }

    std::string pendente_nome;       // the topic whose text is being gathered
    std::string acumulado;           // its text so far
    std::int32_t n_htf = 0, n_idx = 0;

    auto grava_indice = [&](std::int32_t ultimo) {
        if (sem_brancos_finais(pendente_nome).empty()) return;
        ++n_idx;
        idx << EncodeRecord(pendente_nome, ultimo);
    };

    for (std::size_t i = 0; i < linhas.size(); ++i) {
        const std::string& linha = linhas[i];
        const bool titulo = linha.rfind("###", 0) == 0;
        if (!titulo) acumulado += linha.empty() ? std::string(" \r\n ") : linha;
        if (!titulo && i + 1 < linhas.size()) continue;

        // Flush the gathered text as chunks of 128 characters.
        std::int32_t anterior = 0;
        while (!acumulado.empty()) {
            std::string pedaco;
            if (acumulado.size() > static_cast<std::size_t>(kTamanhoTexto)) {
                pedaco = acumulado.substr(0, kTamanhoTexto);
                if (pedaco.back() == ' ') pedaco.back() = '\x01';
                acumulado.erase(0, kTamanhoTexto);
            } else {
                pedaco = std::move(acumulado);
                acumulado.clear();
            }
            ++n_htf;
            htf << EncodeRecord(pedaco, anterior);
            anterior = n_htf;
        }
        grava_indice(anterior);
        pendente_nome = titulo ? linha.substr(3) : std::string();
    }
    // A source that ends with a heading: that topic has no text.
    grava_indice(0);

    htf.close();
    idx.close();
    platform::InvalidatePathCache();
    if (htf.fail() || idx.fail()) {
        platform::LogOnce("help-grava:" + base, "não foi possível gravar os arquivos de tópicos de " + base);
        return false;
    }
    return true;
}

bool LoadHypertextFile(const std::string& name) {
    const std::string base = BaseName(name);
    TopicCount = 0;
    if (FilesOpen) {
        fecha_par();
        FilesOpen = false;
    }
    const std::string htf_path = platform::ResolvePath(base + ".HTF");
    const std::string idx_path = platform::ResolvePath(base + ".IDX");
    if (htf_path.empty() || idx_path.empty()) return false;
    HtfFile.open(htf_path, std::ios::binary);
    IdxFile.open(idx_path, std::ios::binary);
    if (!HtfFile || !IdxFile) {
        fecha_par();
        return false;
    }
    FilesOpen = true;
    TopicTextRec rec;
    for (std::int32_t n = 1; le_registro(IdxFile, n, rec); ++n) {
        if (static_cast<std::size_t>(n) >= TopicIndex.size()) TopicIndex.resize(n + 1);
        TopicIndex[n] = TopicIndexRec{ansi_para_utf8(rec.Text), rec.PrevChunk};
        TopicCount = n;
    }
    return true;
}

std::string GetTopicText(const std::string& topic) {
    int achado = 0;
    for (int k = 1; k <= TopicCount; ++k) {
        if (sem_brancos_finais(TopicIndex[k].Topic) == topic) {
            achado = k;
            break;
        }
    }
    if (achado == 0 || !HtfFile.is_open()) return "";

    std::string texto;
    std::int32_t pedaco = TopicIndex[achado].LastChunk;
    TopicTextRec rec;
    while (pedaco != 0 && le_registro(HtfFile, pedaco, rec)) {
        std::string parte = sem_brancos_finais(rec.Text);
        if (!parte.empty() && parte.back() == '\x01') parte.back() = ' ';
        texto.insert(0, parte);
        // A topic's chunks lie in ascending records: a link that does not go
        // back is a damaged file, and following it could go round for ever.
        if (rec.PrevChunk >= pedaco) break;
        pedaco = rec.PrevChunk;
    }
    return ansi_para_utf8(texto);
}

void CloseHypertextFiles() { fecha_par(); }

}  // namespace help
