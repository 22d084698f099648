// The help texts the game ships: each subject's source compiles, every
// topic lays out to its end, and every link leads somewhere: to a topic of
// the same file or to a picture or sound of the game's media.

#include <algorithm>
#include <map>
#include <set>

#include "apoio.h"

namespace help_test {
namespace {

const fs::path kProgramaReal = BROTALIA_PROGRAM_DIR;

class ConteudoTest : public HelpTest {
protected:
    void SetUp() override {
        HelpTest::SetUp();
        // Copies of the shipped sources in our own folder, so that the
        // compiled pairs of parallel runs never meet.
        for (const auto& a : help::assuntos_help()) {
            const std::string nome = std::string(a.fonte).substr(1);
            ASSERT_TRUE(fs::exists(kProgramaReal / nome)) << nome << " não está na pasta do programa";
            fs::copy_file(kProgramaReal / nome, pasta_programa() / nome, fs::copy_options::overwrite_existing);
        }
        pf::Forms::Register<FormTexto>("texto");
        auto& f = pf::Forms::Get<FormTexto>("texto");
        caixa = &f.caixa;
        rolagem = &f.rolagem;
        figura = &f.figura;
        relogio = &f.relogio;
    }

    pf::PictureBox* caixa = nullptr;
    pf::VScrollBar* rolagem = nullptr;
    pf::PictureBox* figura = nullptr;  // the illustration's, as the help window's
    pf::Timer* relogio = nullptr;
};

// Every link token of a topic's text, as (shown, target).
std::vector<std::pair<std::string, std::string>> links_de(std::string texto) {
    std::vector<std::pair<std::string, std::string>> r;
    for (std::size_t p = texto.find("##"); p != std::string::npos; p = texto.find("##", p + 2)) {
        const std::size_t til = texto.find('~', p);
        if (til == std::string::npos) break;
        std::string token = texto.substr(p, til - p + 1), shown, target;
        if (help::ParseHotLink(token, shown, target)) r.emplace_back(shown, target);
    }
    return r;
}

TEST_F(ConteudoTest, EverySubjectCompilesAndEveryLinkLeadsSomewhere) {
    int links_topico = 0, links_midia = 0;
    for (const auto& a : help::assuntos_help()) {
        SCOPED_TRACE(a.fonte);
        ASSERT_TRUE(help::CompileHypertextSource(platform::ProgramFolder() + a.fonte));
        ASSERT_TRUE(help::LoadHypertextFile(platform::ProgramFolder() + a.aberto_como));
        ASSERT_GE(help::TopicCount, 2);

        std::set<std::string> topicos;
        for (int k = 1; k <= help::TopicCount; ++k) {
            std::string nome = help::TopicIndex[k].Topic;
            nome.erase(nome.find_last_not_of(' ') + 1);
            EXPECT_TRUE(topicos.insert(nome).second) << "tópico repetido: " << nome;
            EXPECT_FALSE(help::e_alvo_de_midia(nome)) << "um tópico que se toma por arquivo: " << nome;
        }
        for (const std::string& nome : topicos) {
            SCOPED_TRACE(nome);
            const std::string texto = help::GetTopicText(nome);
            EXPECT_FALSE(texto.empty());
            EXPECT_EQ(texto.find('\x01'), std::string::npos);
            // The layout takes every word: a stray "#" would cut the topic short.
            std::string resto = texto;
            while (!help::NextWord(resto).empty()) {}
            EXPECT_TRUE(resto.empty()) << "o texto para em: " << resto.substr(0, 60);
            help::FormatTopic(nome, *caixa);
            EXPECT_LT(help::LineCount, 400);

            for (const auto& [shown, target] : links_de(texto)) {
                EXPECT_FALSE(shown.empty());
                if (help::e_alvo_de_midia(target)) {
                    ++links_midia;
                    std::string rel = target.substr(1);
                    std::replace(rel.begin(), rel.end(), '\\', '/');
                    EXPECT_TRUE(fs::exists(kProgramaReal / "drives" / "C" / rel)) << "falta a mídia " << target;
                } else {
                    ++links_topico;
                    EXPECT_TRUE(topicos.count(target)) << "link para tópico que não existe: " << target;
                }
            }
        }
    }
    EXPECT_GT(links_topico, 100);
    EXPECT_GE(links_midia, 10);
}

// The help window has no back control: the texts themselves must give the
// way on. Every topic links back to its subject's first topic (the one the
// window opens on), and every topic can be reached from that first topic.
TEST_F(ConteudoTest, EveryTopicLeadsBackToItsSubjectsFirstTopicAndCanBeReached) {
    for (const auto& a : help::assuntos_help()) {
        SCOPED_TRACE(a.fonte);
        ASSERT_TRUE(help::CompileHypertextSource(platform::ProgramFolder() + a.fonte));
        ASSERT_TRUE(help::LoadHypertextFile(platform::ProgramFolder() + a.aberto_como));
        ASSERT_GE(help::TopicCount, 2);

        std::vector<std::string> nomes;
        for (int k = 1; k <= help::TopicCount; ++k) {
            std::string nome = help::TopicIndex[k].Topic;
            nome.erase(nome.find_last_not_of(' ') + 1);
            nomes.push_back(nome);
        }
        const std::string& primeiro = nomes.front();
        std::map<std::string, std::set<std::string>> vai_para;
        for (const std::string& nome : nomes)
            for (const auto& link : links_de(help::GetTopicText(nome)))
                if (!help::e_alvo_de_midia(link.second)) vai_para[nome].insert(link.second);

        EXPECT_FALSE(vai_para[primeiro].empty()) << "o primeiro tópico não leva a nenhum outro";
        for (const std::string& nome : nomes) {
            if (nome == primeiro) continue;
            EXPECT_TRUE(vai_para[nome].count(primeiro)) << "sem link de volta a \"" << primeiro << "\": " << nome;
        }

        std::set<std::string> alcancados{primeiro};
        std::vector<std::string> a_visitar{primeiro};
        while (!a_visitar.empty()) {
            const std::string nome = a_visitar.back();
            a_visitar.pop_back();
            for (const std::string& alvo : vai_para[nome])
                if (alcancados.insert(alvo).second) a_visitar.push_back(alvo);
        }
        for (const std::string& nome : nomes)
            EXPECT_TRUE(alcancados.count(nome)) << "nenhum caminho leva a " << nome;
    }
}

TEST_F(ConteudoTest, CropAndActivityTopicsBringTheirIllustration) {
    const std::map<std::string, std::vector<std::string>> esperados = {
        {"\\cult1.Txt", {"QUIABO", "RÚCULA", "CENOURA", "BETERRABA", "NABO", "RABANETE", "VAGEM", "PEPINO"}},
        {"\\cult2.Txt", {"ALFACE", "CHICÓRIA", "ALHO-PORÓ", "AGRIÃO", "COUVE", "ESPINAFRE", "SALSA", "CEBOLINHA",
                         "TOMATE", "PIMENTÃO", "BERINJELA", "REPOLHO", "BRÓCOLIS", "COUVE-FLÔR"}},
        {"\\help.Txt", {"Construindo sua Horta", "O Plantio Definitivo", "O Plantio Definitivo (Direto)",
                        "O Transplante", "A Reposição", "A Limpeza", "O Desbaste", "A Amontoa",
                        "A Colheita Final e Parcial", "O botão do planeta (tempo virtual)",
                        "O botão do calendário (tempo real)", "O Hortelão", "O botão da agenda",
                        "O botão da sementeira"}},
        {"\\helps.Txt", {"O Plantio em Sementeira", "A Limpeza", "O Desbaste", "O Transplante"}},
        {"\\Organico.Txt", {"Construindo sua Horta", "O botão do carrinho (feira)", "O botão da porteira (saída)"}},
    };
    model::sessao().dir_anima = "C:";
    platform::SetProgramFolder(kProgramaReal.string());
    platform::InvalidatePathCache();
    for (const auto& [fonte_, nomes] : esperados) {
        const std::string txt = le_arquivo(kProgramaReal / fonte_.substr(1));
        for (const std::string& nome : nomes) {
            EXPECT_NE(txt.find("###" + help::utf8_para_ansi(nome) + "\r\n"), std::string::npos)
                << nome << " falta em " << fonte_;
            help::mostra_ilustracao(nome, *figura, *relogio);
            EXPECT_TRUE(figura->Visible()) << "falta a figura de " << nome;
        }
    }
    // Every frame of every topic animation and of the earthworm is on the drive.
    for (int id : {3, 4, 5, 6, 7, 8, 9, 10, 12})
        for (const std::string& q : help::quadros_da_animacao(id))
            EXPECT_TRUE(platform::FileExists("C:" + q)) << "falta o quadro " << q;
    for (int d = 0; d <= 3; ++d) {
        EXPECT_TRUE(platform::FileExists("C:\\anima\\nhoca" + std::to_string(d) + "p.bmp"));
        EXPECT_TRUE(platform::FileExists("C:\\anima\\nh" + std::to_string(d) + "p.bmp"));
    }
    for (const char* f : {"\\back_in.jpg", "\\textura.jpg", "\\forms\\help_MouseIcon.png"})
        EXPECT_TRUE(platform::FileExists(kProgramaReal.string() + f)) << f;
}

// The calendar of a crop told as the crop topics tell it: "limpeza na
// semana 2", "colheita parcial nas semanas 9 e 10", "... das semanas 8 a 14",
// joined with commas and a final "e".
std::string calendario_em_palavras(int cult, int semanas, std::string (*trato)(int, int)) {
    static const std::map<std::string, std::string> nomes = {
        {"PLD", "plantio direto"}, {"TR", "transplante"},   {"PLS", "semeadura"},
        {"LI", "limpeza"},         {"REP", "reposição"},    {"AM", "amontoa"},
        {"COP", "colheita parcial"}, {"COF", "colheita final"}, {"DES", "desbaste"}};
    std::vector<std::string> partes;
    for (int de = 0; de < semanas;) {
        const std::string t = trato(cult, de);
        int ate = de;
        while (ate + 1 < semanas && trato(cult, ate + 1) == t) ++ate;
        if (!t.empty()) {
            std::string p = nomes.at(t);
            if (ate == de)
                p += " na semana " + std::to_string(de);
            else if (ate == de + 1)
                p += " nas semanas " + std::to_string(de) + " e " + std::to_string(ate);
            else
                p += " das semanas " + std::to_string(de) + " a " + std::to_string(ate);
            partes.push_back(p);
        }
        de = ate + 1;
    }
    std::string r;
    for (std::size_t k = 0; k < partes.size(); ++k)
        r += (k == 0 ? "" : k + 1 == partes.size() ? " e " : ", ") + partes[k];
    return r;
}

// What each crop topic tells a child about planting, density, cycle,
// sowing interval and both calendars is what the game does.
TEST_F(ConteudoTest, CropTopicsAgreeWithTheCatalogue) {
    const std::map<int, std::pair<const char*, const char*>> topicos = {
        {model::cod_alface, {"\\cult2", "ALFACE"}},       {model::cod_chicoria, {"\\cult2", "CHICÓRIA"}},
        {model::cod_alho_poro, {"\\cult2", "ALHO-PORÓ"}}, {model::cod_agriao, {"\\cult2", "AGRIÃO"}},
        {model::cod_couve, {"\\cult2", "COUVE"}},         {model::cod_espinafre, {"\\cult2", "ESPINAFRE"}},
        {model::cod_quiabo, {"\\cult1", "QUIABO"}},       {model::cod_rucula, {"\\cult1", "RÚCULA"}},
        {model::cod_cenoura, {"\\cult1", "CENOURA"}},     {model::cod_beterraba, {"\\cult1", "BETERRABA"}},
        {model::cod_nabo, {"\\cult1", "NABO"}},           {model::cod_rabanete, {"\\cult1", "RABANETE"}},
        {model::cod_cheiro_verde, {"\\cult2", "SALSA"}},  {model::cod_tomate, {"\\cult2", "TOMATE"}},
        {model::cod_pimentao, {"\\cult2", "PIMENTÃO"}},   {model::cod_berinjela, {"\\cult2", "BERINJELA"}},
        {model::cod_repolho, {"\\cult2", "REPOLHO"}},     {model::cod_brocolis, {"\\cult2", "BRÓCOLIS"}},
        {model::cod_couve_flor, {"\\cult2", "COUVE-FLÔR"}}, {model::cod_vagem, {"\\cult1", "VAGEM"}},
        {model::cod_pepino, {"\\cult1", "PEPINO"}},
    };
    ASSERT_EQ(topicos.size(), static_cast<std::size_t>(model::n_culturas));
    const auto& cat = model::catalogo();
    for (const char* arquivo : {"\\cult1", "\\cult2"}) {
        ASSERT_TRUE(help::CompileHypertextSource(platform::ProgramFolder() + arquivo + ".Txt"));
        ASSERT_TRUE(help::LoadHypertextFile(platform::ProgramFolder() + arquivo + ".XXX"));
        for (const auto& [cult, onde] : topicos) {
            if (std::string(onde.first) != arquivo) continue;
            SCOPED_TRACE(onde.second);
            const std::string texto = help::GetTopicText(onde.second);
            ASSERT_FALSE(texto.empty());
            const int dens = std::stoi(cat.dens_cult[cult]);
            EXPECT_NE(texto.find("Na horta: " + std::to_string(dens) + (dens == 1 ? " planta" : " plantas") +
                                 " por metro quadrado. Ocupa o canteiro por " + std::to_string(cat.ciclo_cult[cult]) +
                                 " semanas."),
                      std::string::npos);
            EXPECT_NE(texto.find("plante de novo a cada " + std::to_string(cat.interv_cult[cult]) + " semanas."),
                      std::string::npos);
            EXPECT_NE(texto.find("Calendário da horta, contando as semanas desde o plantio: " +
                                 calendario_em_palavras(cult, cat.ciclo_cult[cult], model::trato_horta) + "."),
                      std::string::npos);
            const int sem = cat.sem_cult[cult];
            if (sem > 0)
                EXPECT_NE(texto.find("as mudas ficam lá " + std::to_string(sem) + " semanas, com " +
                                     calendario_em_palavras(cult, sem, model::trato_sem) + "."),
                          std::string::npos);
            else
                EXPECT_NE(texto.find("esta verdura não passa pela sementeira"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace help_test
