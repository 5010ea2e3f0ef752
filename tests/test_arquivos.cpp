// Scene files: the nesting check in front of TinyXML, reading and writing files, Viewport::persist
// and restore, the save and load commands of the main window, and the sample scenes.

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "arquivodecena.h"
#include "bezier.h"
#include "bspline.h"
#include "displayfile.h"
#include "errosdearquivo.h"
#include "geometria.h"
#include "janelaprincipal.h"
#include "lencol.h"
#include "mainwindow.h"
#include "objeto.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "qviewport.h"
#include "reta.h"
#include "tipodeobjeto.h"
#include "transformacao.h"
#include "viewport.h"
#include "window.h"

namespace {

using namespace std::string_literals;

// A notice, not a fault: the camera stays. It ends its line, as every message does.
const std::string semWindow = "Não há window especificada no arquivo XML, mantendo a window atual.\n";
const std::string profundoDemais = "O arquivo tem elementos aninhados em mais de 64 níveis e não foi carregado.\n";

std::string dados(const char* nome)
{
    return std::string(VELK_TEST_DATA) + "/" + nome;
}

QString qdados(const char* nome)
{
    return QString::fromStdString(dados(nome));
}

std::string conteudo(const QString& caminho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return "(não abre)";
    return f.readAll().toStdString();
}

void escrever(const QString& caminho, const std::string& texto)
{
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(texto.data(), static_cast<qint64>(texto.size())), static_cast<qint64>(texto.size()));
}

// std::cerr for as long as it lives.
class CapturaDeErro {
public:
    CapturaDeErro() : _anterior(std::cerr.rdbuf(_texto.rdbuf())) {}
    ~CapturaDeErro() { std::cerr.rdbuf(_anterior); }
    CapturaDeErro(const CapturaDeErro&) = delete;
    CapturaDeErro& operator=(const CapturaDeErro&) = delete;
    std::string texto() const { return _texto.str(); }

private:
    std::ostringstream _texto;
    std::streambuf* _anterior;
};

std::uint64_t bits(double d)
{
    std::uint64_t b = 0;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

// The camera's whole state, bit for bit.
std::array<std::uint64_t, 10> camera(const Window& w)
{
    const Coordenada c = w.centro();
    const Vetor u = w.viewRightVector();
    const Vetor v = w.viewUpVector();
    return {bits(c.x()), bits(c.y()), bits(c.z()), bits(u.x()), bits(u.y()), bits(u.z()),
            bits(v.x()), bits(v.y()), bits(v.z()), bits(w.distanciaFocal())};
}

// Kind, name, colour, fill level and every coordinate, bit for bit.
std::string descricao(const Objeto& o)
{
    std::ostringstream s;
    s << o.nomeDoTipo() << " '" << o.nome() << "' " << o.cor().red() << "," << o.cor().green() << ","
      << o.cor().blue() << " nivel " << int(o.nivelDePreenchimento()) << ":";
    for (const Coordenada& c : o.coordenadas())
        s << " " << bits(c.x()) << "/" << bits(c.y()) << "/" << bits(c.z());
    if (const auto* o3 = dynamic_cast<const Objeto3D*>(&o))
        for (const auto& [i, j] : o3->arestas())
            s << " " << i << "-" << j;
    return s.str();
}

std::vector<std::string> descricoes(const DisplayFile& df)
{
    std::vector<std::string> r;
    for (const Objeto* o : df.listaDeObjetos)
        r.push_back(descricao(*o));
    return r;
}

// One of every kind, with awkward numbers and names.
std::vector<Objeto*> umDeCada()
{
    return {
        new Ponto("P ção", Cor(255, 0, 0), Coordenada(0.1, -1e-300, 3.0)),
        new Reta("r <&\">", Cor(0, 0, 0), Coordenada(-5, 2.5, 0), Coordenada(1.0 / 3.0, 7, -2)),
        new Poligono("cheio", Cor(0, 170, 0), {Coordenada(0, 0, 0), Coordenada(4, 0, 0), Coordenada(0, 3, 1)}, true),
        new Poligono("contorno", Cor(1, 2, 3), {Coordenada(0, 0, 0), Coordenada(4, 0, 0), Coordenada(4, 4, 0), Coordenada(0, 4, 0)}, false),
        new Bezier("b", Cor(0, 0, 255), {Coordenada(0, 0, 0), Coordenada(1, 2, 0), Coordenada(2, 2, 0), Coordenada(3, 0, 0)}),
        new BSpline("s", Cor(0, 0, 254), {Coordenada(0, 0, 0), Coordenada(1, 2, 0), Coordenada(2, 2, 0), Coordenada(3, 0, 0), Coordenada(4, 1, 5)}),
        new Objeto3D("cubo", Cor(51, 51, 51), {Coordenada(0, 0, 0), Coordenada(1, 0, 0), Coordenada(1, 1, 1)}, {{0, 1}, {1, 2}, {2, 0}}),
    };
}

// The deepest element under a node, as TinyXML built the tree.
int profundidadeDaArvore(const TiXmlNode* no)
{
    int maior = 0;
    for (const TiXmlNode* f = no->FirstChild(); f != nullptr; f = f->NextSibling())
        if (f->ToElement() != nullptr)
            maior = std::max(maior, 1 + profundidadeDaArvore(f));
    return maior;
}

std::string aninhados(int n)
{
    std::string texto;
    for (int i = 0; i < n; ++i)
        texto += "<a>";
    for (int i = 0; i < n; ++i)
        texto += "</a>";
    return texto;
}

// ---------------------------------------------------------------------------------------------
// The nesting check

struct CasoDeProfundidade {
    const char* nome;
    std::string texto;
    int profundidade;
};

// Each depth is the element nesting that TinyXML reaches on that text; the cross-check below
// confirms it against the tree TinyXML builds.
const std::vector<CasoDeProfundidade>& casosDeProfundidade()
{
    static const std::vector<CasoDeProfundidade> casos = {
        {"vazio", "", 0},
        {"um elemento vazio", "<a/>", 1},
        {"irmãos e filhos", "<a><b/><c><d/></c><e></e></a>", 3},
        {"cena", "<?xml version=\"1.0\" ?>\n<formas>\n<window distancia=\"1\"><centro x=\"0\"/></window>\n</formas>\n", 3},
        {"marca de ordem de bytes", "\xEF\xBB\xBF<a><b/></a>", 2},
        {"comentário com tags", "<a><!-- <b><c><d> --></a>", 1},
        {"comentário com > e --", "<a><!-- x > y -- z --><b/></a>", 2},
        {"CDATA com tags", "<a><![CDATA[<b><c></b>]]><d/></a>", 2},
        {"aspas com < e />", "<a x=\"<b>\" y='/>' z=\"'\"><c/></a>", 2},
        {"aspas com >", "<a x=\">\"><b/></a>", 2},
        {"valor sem aspas", "<a x=1><b x=2/></a>", 2},
        {"entidades no texto", "<a>&lt;b&gt; &#x41;&#66;<c/></a>", 2},
        // A numeric reference with a non-digit before its ';' stops TinyXML there.
        {"referência numérica malformada", "<a>&#1x;<b/></a>", 1},
        {"referência malformada num valor", "<?xml version=\"&#/;\"?><a/>", 0},
        {"texto com >", "<a> 1 > 0 <b/></a>", 2},
        {"marca de fim com espaço", "<a><b></b ></a >", 2},
        {"nomes com _ e bytes altos", "<_a><\xC3\xA7\xC3\xA3o/></_a>", 2},
        {"nome que começa com dígito não é elemento", "<1a><b/></1a>", 1},
        {"instrução de processamento termina no primeiro >", "<r><?pi a > <b><c/></b> ?></r>", 3},
        // The declaration's own values are quoted, so a '>' in one does not end it.
        {"declaração com > entre aspas", "<?xml version='>' ?><a><b/></a>", 2},
        // A declaration in upper case is still one.
        {"declaração em maiúsculas", "<?XML VERSION='>' ?><a><b/></a>", 2},
        // Any other "<!" ends at its first '>', quotes or not.
        {"desconhecido com aspas", "<a><!x \"><b><c/></b>\"></a>", 3},
        // TinyXML gives up on the text after an internal subset.
        {"DOCTYPE com subconjunto interno", "<!DOCTYPE a [<!ELEMENT a ANY>]><a><b/></a>", 0},
        // A UTF-8 lead byte takes the bytes after it, quote and all: the value goes on, and <a> is
        // not empty.
        {"byte inicial de UTF-8 engole a aspa", "<a x=\"\xE0\"/></a></a></a>\"><b><c/></b></a>", 3},
        {"byte inicial de UTF-8 engole o <", "<a>\xE0<!--<b>--><c><d/></c></a>", 4},
        {"NUL termina o texto", "<a><b/>\0<c><d><e/></d></c></a>"s, 2},
        {"64 níveis", aninhados(64), 64},
        {"65 níveis", aninhados(65), 65},
    };
    return casos;
}

TEST(ProfundidadeDeElementos, ContaComoOTinyXml)
{
    for (const CasoDeProfundidade& caso : casosDeProfundidade())
        EXPECT_EQ(ArquivoDeCena::profundidadeDeElementos(caso.texto, 1000), caso.profundidade) << caso.nome;
}

// The check is only as good as its agreement with TinyXML: on every text, it must count at least
// as deep as the tree TinyXML builds (even from a text it then rejects), and exactly as deep when
// TinyXML accepts the text.
void conferirComOTinyXml(const std::string& texto, const std::string& nome)
{
    std::string buffer = texto.substr(0, texto.find('\0'));
    buffer.append(4, '\0');
    TiXmlDocument doc;
    doc.Parse(buffer.c_str(), nullptr, TIXML_ENCODING_UTF8);
    const int arvore = profundidadeDaArvore(&doc);
    const int contada = ArquivoDeCena::profundidadeDeElementos(texto, 1000);
    if (doc.Error())
        EXPECT_GE(contada, arvore) << nome;
    else
        EXPECT_EQ(contada, arvore) << nome;
}

TEST(ProfundidadeDeElementos, NuncaContaMenosQueOTinyXml)
{
    for (const CasoDeProfundidade& caso : casosDeProfundidade())
        conferirComOTinyXml(caso.texto, caso.nome);

    // Random texts made of the pieces where a careless reading goes wrong.
    static const char* const pedacos[] = {
        "<a>", "</a>", "<b>", "</b>", "<a/>", "<b x='1'>", "<a y=\"2\"/>", "<a z=3>", "<!--", "-->", "<![CDATA[", "]]>",
        "<?xml version=\"", "<?XmL ", "encoding='", "?>", "<?pi ", "<!DOCTYPE a ", "<!x ", ">", "/>", "\"", "'", "=",
        " x=", "\xE0", "\xC3", "\xF0", "\xC3\xA7", "\xEF\xBB\xBF", " ", "\n", "\t", "texto", "&#x41;", "&amp;", "&#",
        ";", "/", "<", "</", "<_c ", "<1", "< a>", "</a >", "-", "]", "\xC2\xA0",
    };
    std::mt19937 gerador(20240607);
    for (int n = 0; n < 20000; ++n) {
        std::string texto;
        const int tamanho = 1 + static_cast<int>(gerador() % 40);
        for (int i = 0; i < tamanho; ++i)
            texto += pedacos[gerador() % std::size(pedacos)];
        conferirComOTinyXml(texto, texto);
    }
}

TEST(ProfundidadeDeElementos, ParaDeContarPassadoOLimite)
{
    // 100,000 levels (700 kB): the count stops at the 65th, whatever the size.
    EXPECT_EQ(ArquivoDeCena::profundidadeDeElementos(aninhados(100000)), ArquivoDeCena::profundidadeMaxima + 1);
    EXPECT_EQ(ArquivoDeCena::profundidadeDeElementos(aninhados(3), 2), 3);
    EXPECT_EQ(ArquivoDeCena::profundidadeDeElementos(aninhados(2), 2), 2);
}

// ---------------------------------------------------------------------------------------------
// Reading and writing files

void esperarErroAoLer(const QString& caminho, const std::string& mensagem)
{
    TiXmlDocument doc;
    try {
        ArquivoDeCena::ler(caminho, doc);
        ADD_FAILURE() << caminho.toStdString() << " foi lido";
    } catch (const std::string& erro) {
        EXPECT_EQ(erro, mensagem) << caminho.toStdString();
    }
}

// Each says which file and what is wrong with it, in Portuguese whatever the system's language.
TEST(LerArquivo, RecusaOQueNaoEUmaCenaLegivelDizendoPorque)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const auto oArquivo = [](const QString& caminho) { return "O arquivo '" + caminho.toStdString() + "' "; };
    // A cancelled dialog.
    esperarErroAoLer(QString(), "Erro desconhecido.");
    const QString ausente = pasta.filePath("não existe.xml");
    esperarErroAoLer(ausente, oArquivo(ausente) + "não existe.");
    esperarErroAoLer(pasta.filePath("nada/cena.xml"), oArquivo(pasta.filePath("nada/cena.xml")) + "não existe.");
    esperarErroAoLer(pasta.path(), oArquivo(pasta.path()) + "é uma pasta, não um arquivo.");
    esperarErroAoLer(qdados("cena-vazia.xml"), oArquivo(qdados("cena-vazia.xml")) + "está vazio.");
    const QString brancos = pasta.filePath("brancos.xml");
    escrever(brancos, " \n\t\n");
    esperarErroAoLer(brancos, oArquivo(brancos) + "está vazio.");
    esperarErroAoLer(qdados("cena-malformada.xml"),
                     oArquivo(qdados("cena-malformada.xml")) + "não é XML bem formado. Linha 5, coluna 36: um atributo "
                                                               "está mal escrito (falta o '=' ou uma aspa), ou a tag não termina com '>'.");
    // The element left open is named where its parent's end tag, or the end of the text, comes first.
    const QString aberta = pasta.filePath("aberta.xml");
    escrever(aberta, "<formas>\n  <window/>\n  <poligono nome=\"p\">\n    <coordenada x=\"0\" y=\"0\" z=\"0\"/>\n</formas>\n");
    esperarErroAoLer(aberta, oArquivo(aberta) + "não é XML bem formado. Linha 5, coluna 1: a tag <poligono> não foi fechada.");
    escrever(aberta, "<formas>\n<ponto>");
    esperarErroAoLer(aberta, oArquivo(aberta) + "não é XML bem formado. Linha 2, coluna 8: a tag <ponto> não foi fechada.");
    // Only regular files: a FIFO would block here for good, waiting for a writer.
    const QString fifo = pasta.filePath("fila.xml");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    esperarErroAoLer(fifo, oArquivo(fifo) + "não é um arquivo comum.");
    esperarErroAoLer(QStringLiteral("/dev/zero"), "O arquivo '/dev/zero' não é um arquivo comum.");
}

// The system's reasons in the program's language, never in the system's.
TEST(LerArquivo, MotivoDoSistemaEmPortugues)
{
    EXPECT_EQ(ErrosDeArquivo::motivo(EACCES), "permissão negada");
    EXPECT_EQ(ErrosDeArquivo::motivo(ENOSPC), "não há mais espaço no disco");
    EXPECT_EQ(ErrosDeArquivo::motivo(EIO), "erro de leitura ou escrita no disco");
    EXPECT_EQ(ErrosDeArquivo::motivo(12345), "erro número 12345 do sistema");
}

TEST(LerArquivo, RecusaAninhamentoProfundoAntesDoTinyXml)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString profundo = pasta.filePath("profundo.xml");
    escrever(profundo, "<?xml version=\"1.0\" ?>\n" + aninhados(100000));
    esperarErroAoLer(profundo, profundoDemais.substr(0, profundoDemais.size() - 1));

    // 64 levels are parsed as usual.
    const QString limite = pasta.filePath("limite.xml");
    escrever(limite, aninhados(64));
    TiXmlDocument doc;
    ArquivoDeCena::ler(limite, doc);
    EXPECT_EQ(profundidadeDaArvore(&doc), 64);
}

TEST(LerArquivo, TextoCortadoNoMeioDeUmCaractereDeixaOndePousar)
{
    // TinyXML lives outside the sanitized build, so its read past the end would go unseen there:
    // what must hold is checked on the text it is given. Its last byte may lead a character of up
    // to four, and TinyXML reads the byte it steps to.
    for (const char* fim : {"\xF0", "\xF0\x9F\x98", "\xE2", "\xC3", "a"}) {
        const QByteArray bytes = QByteArray("<formas nome=\"a") + fim;
        const std::string texto = ArquivoDeCena::textoParaOTinyXml(bytes);
        ASSERT_GE(texto.size(), static_cast<std::size_t>(bytes.size()) + 3) << fim;
        EXPECT_EQ(texto.substr(0, static_cast<std::size_t>(bytes.size())), bytes.toStdString());
        EXPECT_EQ(texto.find_first_not_of('\0', static_cast<std::size_t>(bytes.size())), std::string::npos);

        TiXmlDocument doc;
        EXPECT_THROW(ArquivoDeCena::lerConteudo(bytes, doc, QStringLiteral("cortado.xml")), std::string);
    }
}

TEST(LerArquivo, LeOsBytesComoOLoadFile)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    // CR LF and lone CR become LF (in values too); the text ends at a NUL.
    const QString caminho = pasta.filePath("crlf.xml");
    escrever(caminho, "<formas>\r\n<ponto nome=\"a\r\nb\rc\" cor=\"#000000\"/>\r\n</formas>\0<lixo/>"s);
    TiXmlDocument doc;
    ArquivoDeCena::ler(caminho, doc);
    const TiXmlElement* ponto = doc.FirstChildElement("formas")->FirstChildElement("ponto");
    ASSERT_NE(ponto, nullptr);
    EXPECT_EQ(*ponto->Attribute(std::string("nome")), "a\nb\nc");
    EXPECT_EQ(ponto->Row(), 2);
    EXPECT_EQ(doc.FirstChildElement("lixo"), nullptr);

    // A Latin-1 declaration is honoured: every byte is a character.
    const QString latin = pasta.filePath("latin.xml");
    escrever(latin, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><formas nome=\"&#231;\xC3\xA3\"/>");
    TiXmlDocument outro;
    ArquivoDeCena::ler(latin, outro);
    EXPECT_EQ(*outro.FirstChildElement("formas")->Attribute(std::string("nome")), "çÃ£");
}

TiXmlDocument documentoPequeno()
{
    TiXmlDocument doc;
    doc.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
    auto* formas = new TiXmlElement("formas");
    formas->SetAttribute("nome", "ção");
    doc.LinkEndChild(formas);
    return doc;
}

std::string impresso(const TiXmlDocument& doc)
{
    TiXmlPrinter p;
    doc.Accept(&p);
    return p.Str();
}

void esperarErroAoSalvar(const QString& caminho)
{
    try {
        ArquivoDeCena::salvar(caminho, documentoPequeno());
        ADD_FAILURE() << caminho.toStdString() << " foi salvo";
    } catch (const std::string& erro) {
        const std::string inicio = "Não foi possível salvar em '" + caminho.toStdString() + "': ";
        EXPECT_EQ(erro.substr(0, inicio.size()), inicio);
        EXPECT_GT(erro.size(), inicio.size() + 1) << "sem motivo: " << erro;
        EXPECT_EQ(erro.back(), '.');
    }
}

TEST(SalvarArquivo, EscreveODocumentoInteiro)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString caminho = pasta.filePath("cena ção");
    ArquivoDeCena::salvar(caminho, documentoPequeno());
    EXPECT_EQ(conteudo(caminho), "<?xml version=\"1.0\" ?>\n<formas nome=\"ção\" />\n");
    EXPECT_EQ(conteudo(caminho), impresso(documentoPequeno()));
}

// A save is written as it goes: cancelled half-way it leaves the old file whole and no other file
// behind, and its progress runs up to every element.
// Mutations caught: the temporary file committed or left behind on a cancel, a cancel not heeded,
// progress that stops short of the total or is asked only at the end.
TEST(SalvarArquivo, CanceladoNoMeioDeixaOArquivoAnterior)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const QString caminho = pasta.filePath("cena.xml");
    const Window camera = Viewport::cameraInicial();
    DisplayFile pequena;
    pequena.listaDeObjetos.push_back(new Ponto("P", Cor(), Coordenada(1, 2, 3)));
    DisplayFile grande;
    grande.listaDeObjetos.push_back(lencol(Cor(1, 2, 3), 150));

    std::uint64_t feitos = 0;
    std::uint64_t total = 0;
    int chamadas = 0;
    ArquivoDeCena::salvar(caminho, camera, grande, {}, [&](std::uint64_t f, std::uint64_t t) {
        EXPECT_GE(f, feitos);
        feitos = f;
        total = t;
        ++chamadas;
        return true;
    });
    EXPECT_EQ(feitos, total);
    EXPECT_GT(chamadas, 2);

    ArquivoDeCena::salvar(caminho, camera, pequena);
    const std::string anterior = conteudo(caminho);
    EXPECT_THROW(ArquivoDeCena::salvar(caminho, camera, grande, {},
                                       [total](std::uint64_t f, std::uint64_t) { return f < total / 2; }),
                 Cancelado);
    EXPECT_EQ(conteudo(caminho), anterior);
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("cena.xml")});
}

TEST(SalvarArquivo, FalhaOndeNaoHaComoEscrever)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    esperarErroAoSalvar(pasta.filePath("não existe/cena.xml"));
    EXPECT_FALSE(QFileInfo::exists(pasta.filePath("não existe")));
    esperarErroAoSalvar(pasta.path());
    EXPECT_TRUE(QFileInfo(pasta.path()).isDir());
}

// A scene that a file cannot hold is refused in its own words before any file is made, even where
// none could be made.
// Mutation caught: the file made before the scene is checked (the place's fault named instead, or a
// temporary file left behind).
TEST(SalvarArquivo, CenaQueNaoPodeSerSalvaRecusadaAntesDeCriarOArquivo)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    DisplayFile cena;
    cena.listaDeObjetos.push_back(new Reta("enorme", Cor(), Coordenada(1e300, 0, 0), Coordenada(0, 0, 0)));
    cena.listaDeObjetos[0]->transformar(Transformacao::escala(1e10, 1, 1, 0, 0, 0));
    for (const QString& caminho : {pasta.filePath("não existe/cena.xml"), pasta.filePath("cena.xml")}) {
        try {
            ArquivoDeCena::salvar(caminho, Viewport::cameraInicial(), cena);
            ADD_FAILURE() << "salvou " << caminho.toStdString();
        } catch (const std::string& erro) {
            EXPECT_EQ(erro, "O objeto \"enorme\" tem uma coordenada que não é um número finito e não pode ser salvo.");
        }
    }
    EXPECT_TRUE(QDir(pasta.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Viewport::persist and restore

// A viewport that draws nothing.
class SuperficieDeTeste : public Viewport {
public:
    int largura() const override { return 600; }
    int altura() const override { return 600; }

    void adicionar(const std::vector<Objeto*>& objetos)
    {
        for (Objeto* o : objetos)
            displayFile()->listaDeObjetos.push_back(o);
        janela()->atualizarCPP(*displayFile());
    }

protected:
    void repintar0(Objeto*) override {}
    void repintar1(Objeto*) override {}
    void repintar2(Objeto*) override {}
};

// The root of a file read from text.
struct Raiz {
    explicit Raiz(const std::string& texto)
    {
        doc.Parse(texto.c_str(), nullptr, TIXML_ENCODING_UTF8);
        EXPECT_FALSE(doc.Error()) << doc.ErrorDesc();
        formas = doc.FirstChildElement("formas");
    }
    TiXmlDocument doc;
    TiXmlElement* formas = nullptr;
};

const char* const windowValida =
    "<window distancia=\"4\"><centro x=\"1\" y=\"2\" z=\"3\"/><direita x=\"0\" y=\"8\" z=\"0\"/><cima x=\"-6\" y=\"0\" z=\"0\"/></window>";
const char* const pontoValido = "<ponto nome=\"novo\" cor=\"#123456\"><coordenada x=\"1\" y=\"1\" z=\"1\"/></ponto>";

TEST(ViewportPersist, EscreveAWindowPrimeiroEDepoisOsObjetos)
{
    SuperficieDeTeste v;
    v.adicionar(umDeCada());
    TiXmlElement formas("formas");
    v.persist(&formas);
    std::vector<std::string> filhos;
    for (const TiXmlElement* e = formas.FirstChildElement(); e != nullptr; e = e->NextSiblingElement())
        filhos.push_back(e->ValueStr());
    EXPECT_EQ(filhos, (std::vector<std::string>{"window", "ponto", "reta", "poligono", "poligono", "bezier", "bspline", "objeto3d"}));
}

TEST(ViewportRestore, LeDeVoltaOQuePersistiu)
{
    SuperficieDeTeste origem;
    origem.adicionar(umDeCada());
    origem.janela()->mover(0.37, -1.1, 0.2);
    origem.janela()->rodar(10, 33.3, -71);
    origem.janela()->escala(0.7);
    TiXmlElement formas("formas");
    origem.persist(&formas);
    // Through text, as a file would go.
    TiXmlPrinter impressora;
    formas.Accept(&impressora);
    Raiz raiz(impressora.Str());

    SuperficieDeTeste destino;
    destino.adicionar({new Ponto("velho", Cor(), Coordenada(9, 9, 9))});
    CapturaDeErro erro;
    destino.restore(raiz.formas);
    EXPECT_EQ(erro.texto(), "");
    EXPECT_EQ(camera(*destino.janela()), camera(*origem.janela()));
    EXPECT_EQ(descricoes(*destino.displayFile()), descricoes(*origem.displayFile()));
    // Reprojected: the camera projects the new objects without anyone asking again.
    EXPECT_EQ(destino.janela()->coordenadasDePlanoDeProjecao().listaDeObjetos.size(), origem.displayFile()->listaDeObjetos.size());
}

TEST(ViewportRestore, SemWindowMantemACameraEAvisaNumaLinha)
{
    SuperficieDeTeste v;
    v.janela()->rodar(0, 0, 30);
    const auto antes = camera(*v.janela());
    Raiz raiz(std::string("<formas><!--window-->") + pontoValido + "</formas>");
    CapturaDeErro erro;
    v.restore(raiz.formas);
    EXPECT_EQ(erro.texto(), semWindow);
    EXPECT_EQ(camera(*v.janela()), antes);
    ASSERT_EQ(v.displayFile()->listaDeObjetos.size(), 1u);
    EXPECT_EQ(v.displayFile()->listaDeObjetos[0]->nome(), "novo");
    EXPECT_EQ(v.janela()->coordenadasDePlanoDeProjecao().listaDeObjetos.size(), 1u);
}

TEST(ViewportRestore, ComentarioChamadoWindowNaoEACamera)
{
    SuperficieDeTeste v;
    Raiz raiz(std::string("<formas><!--window-->") + windowValida + "</formas>");
    CapturaDeErro erro;
    v.restore(raiz.formas);
    EXPECT_EQ(erro.texto(), "");
    EXPECT_EQ(v.janela()->distanciaFocal(), 4.0);
}

// A file the library rejects changes neither the camera nor the objects, whichever part is bad,
// and says nothing but the library's message (thrown to the caller).
TEST(ViewportRestore, TudoOuNada)
{
    const std::string objetoRuim = "<reta nome=\"r\" cor=\"#000000\"><coordenada x=\"0\" y=\"0\" z=\"0\"/></reta>";
    const std::string windowRuim =
        "<window distancia=\"0\"><centro x=\"1\" y=\"2\" z=\"3\"/><direita x=\"0\" y=\"8\" z=\"0\"/><cima x=\"-6\" y=\"0\" z=\"0\"/></window>";
    const struct {
        const char* nome;
        std::string texto;
        std::string aviso;
    } casos[] = {
        {"window boa, objeto ruim depois de um bom", std::string("<formas>") + windowValida + pontoValido + objetoRuim + "</formas>", ""},
        {"window ruim, objetos bons", "<formas>" + windowRuim + pontoValido + "</formas>", ""},
        // The camera is kept either way, so the notice stands even though the objects are refused.
        {"sem window, objeto ruim", std::string("<formas>") + pontoValido + objetoRuim + "</formas>", semWindow},
    };
    for (const auto& caso : casos) {
        SuperficieDeTeste v;
        v.adicionar({new Ponto("velho", Cor(1, 2, 3), Coordenada(9, 9, 9))});
        const Objeto* velho = v.displayFile()->listaDeObjetos[0];
        const auto antes = camera(*v.janela());
        Raiz raiz(caso.texto);
        CapturaDeErro erro;
        EXPECT_THROW(v.restore(raiz.formas), std::string) << caso.nome;
        EXPECT_EQ(erro.texto(), caso.aviso) << caso.nome;
        EXPECT_EQ(camera(*v.janela()), antes) << caso.nome;
        ASSERT_EQ(v.displayFile()->listaDeObjetos.size(), 1u) << caso.nome;
        EXPECT_EQ(v.displayFile()->listaDeObjetos[0], velho) << caso.nome;
        EXPECT_EQ(velho->nome(), "velho") << caso.nome;
    }
}

// ---------------------------------------------------------------------------------------------
// The save and load commands

// While it lives, answers every file dialog the program opens: picks caminho in it (or cancels it
// when caminho is empty), and says yes when asked whether to replace a file. Writes down what the
// dialogs showed.
struct Execucao {
    std::string erro;
    QStringList titulos;
    QStringList filtros;
    std::vector<QFileDialog::AcceptMode> modos;
    int substituicoes = 0;
    // The texts of the warning boxes, closed with OK.
    QStringList avisos;
};

class RespostaAosDialogos {
public:
    RespostaAosDialogos(QString caminho, Execucao& registro) : _caminho(std::move(caminho)), _registro(registro)
    {
        QObject::connect(&_relogio, &QTimer::timeout, [this] { responder(); });
        _relogio.start(10);
    }

private:
    void responder()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialogo = qobject_cast<QFileDialog*>(modal)) {
            if (_atendidos.count(dialogo) != 0)
                return;
            _atendidos.insert(dialogo);
            _registro.titulos << dialogo->windowTitle();
            _registro.filtros << dialogo->nameFilters();
            _registro.modos.push_back(dialogo->acceptMode());
            if (_caminho.isEmpty()) {
                QMetaObject::invokeMethod(dialogo, "reject", Qt::QueuedConnection);
            } else {
                dialogo->selectFile(_caminho);
                // selectFile leaves the name field alone while it has the focus, as it does here.
                if (auto* nome = dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    nome->setText(_caminho);
                // Queued: accept may ask about replacing the file, in a loop of its own, and this
                // timer must be free to answer.
                QMetaObject::invokeMethod(dialogo, "accept", Qt::QueuedConnection);
            }
        } else if (auto* pergunta = qobject_cast<QMessageBox*>(modal)) {
            if (QAbstractButton* sim = pergunta->button(QMessageBox::Yes)) {
                ++_registro.substituicoes;
                sim->click();
            } else if (QAbstractButton* descartar = pergunta->button(QMessageBox::Discard)) {
                // The scenes put in between are no work to keep.
                descartar->click();
            } else if (QAbstractButton* ok = pergunta->button(QMessageBox::Ok)) {
                _registro.avisos << pergunta->text();
                ok->click();
            }
        }
    }

    QString _caminho;
    Execucao& _registro;
    QTimer _relogio;
    std::set<const QObject*> _atendidos;
};

// What the user can see of the scene, and where the list rows point.
struct Estado {
    std::array<std::uint64_t, 10> camera;
    std::vector<Objeto*> objetos;
    std::vector<std::string> descricoes;
    QStringList linhas;

    bool operator==(const Estado& o) const
    {
        return camera == o.camera && objetos == o.objetos && descricoes == o.descricoes && linhas == o.linhas;
    }
};

std::ostream& operator<<(std::ostream& s, const Estado& e)
{
    s << e.objetos.size() << " objetos, linhas:";
    for (const QString& l : e.linhas)
        s << " [" << l.toStdString() << "]";
    return s;
}

class ComandosDeArquivo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pasta.isValid());
        canvas = canvasDe(janela);
        lista = filho<QListWidget>(janela, "objetos");
        ASSERT_NE(canvas, nullptr);
    }

    Estado estado() const
    {
        Estado e{camera(*canvas->janela()), canvas->displayFile()->listaDeObjetos, descricoes(*canvas->displayFile()), {}};
        for (int i = 0; i < lista->count(); ++i)
            e.linhas << lista->item(i)->text();
        return e;
    }

    // Every row maps to the object at its position in the display file, and nothing else is mapped.
    void conferirMapa() const
    {
        const std::vector<const Objeto*> mapa = objetosDasLinhas(janela);
        const auto& objetos = canvas->displayFile()->listaDeObjetos;
        ASSERT_EQ(mapa.size(), objetos.size());
        for (std::size_t i = 0; i < mapa.size(); ++i)
            EXPECT_EQ(mapa[i], objetos[i]) << "linha " << i;
    }

    // Runs a command from the menu, its dialog answered with caminho (cancelled when empty).
    Execucao executar(const char* acao, const QString& caminho)
    {
        Execucao registro;
        RespostaAosDialogos respostas(caminho, registro);
        CapturaDeErro erro;
        filho<QAction>(janela, acao)->trigger();
        registro.erro = erro.texto();
        return registro;
    }

    // What the commands wrote on std::cerr.
    std::string salvar(const QString& caminho) { return executar("actionSalvar", caminho).erro; }
    std::string carregar(const QString& caminho) { return executar("actionCarregar", caminho).erro; }

    void adicionarTodos(const std::vector<Objeto*>& objetos)
    {
        for (Objeto* o : objetos)
            canvas->displayFile()->listaDeObjetos.push_back(o);
        janela.atualizarLista();
        janela.atualizarCpp();
    }

    QTemporaryDir pasta;
    MainWindow janela;
    QViewport* canvas = nullptr;
    QListWidget* lista = nullptr;
};

TEST_F(ComandosDeArquivo, SalvarECarregarDevolvemCameraEObjetos)
{
    adicionarTodos(umDeCada());
    canvas->janela()->mover(0.25, 0.5, -0.3);
    canvas->janela()->rodar(12.5, -40, 3);
    canvas->janela()->escala(1.7);
    const Estado salvo = estado();

    const QString caminho = pasta.filePath("cena ção.xml");
    const Execucao salvamento = executar("actionSalvar", caminho);
    EXPECT_EQ(salvamento.erro, "");
    ASSERT_TRUE(QFileInfo::exists(caminho));
    EXPECT_EQ(salvamento.titulos, QStringList{QStringLiteral("Salvar em...")});
    EXPECT_EQ(salvamento.filtros, QStringList{QStringLiteral("XML File (*.xml)")});
    EXPECT_EQ(salvamento.modos, std::vector<QFileDialog::AcceptMode>{QFileDialog::AcceptSave});

    // Another scene in between.
    adicionar(janela, {new Ponto("intruso", Cor(), Coordenada(1, 1, 1))});
    canvas->janela()->mover(3, 3, 3);
    canvas->janela()->rodar(0, 0, 90);

    const Execucao carga = executar("actionCarregar", caminho);
    EXPECT_EQ(carga.erro, "");
    EXPECT_EQ(carga.titulos, QStringList{QStringLiteral("Abrir...")});
    EXPECT_EQ(carga.filtros, QStringList{QStringLiteral("XML File (*.xml)")});
    EXPECT_EQ(carga.modos, std::vector<QFileDialog::AcceptMode>{QFileDialog::AcceptOpen});
    const Estado carregado = estado();
    EXPECT_EQ(carregado.camera, salvo.camera);
    EXPECT_EQ(carregado.descricoes, salvo.descricoes);
    EXPECT_EQ(carregado.linhas, salvo.linhas);
    conferirMapa();
    EXPECT_EQ(lista->currentItem(), nullptr);
    // The camera projects the loaded objects.
    EXPECT_EQ(canvas->janela()->coordenadasDePlanoDeProjecao().listaDeObjetos.size(), salvo.objetos.size());
}

TEST_F(ComandosDeArquivo, ArquivoSalvoComecaPelaDeclaracaoERaizComWindow)
{
    adicionarTodos(umDeCada());
    const QString caminho = pasta.filePath("cena.xml");
    EXPECT_EQ(salvar(caminho), "");
    const std::string texto = conteudo(caminho);
    const std::string inicio = "<?xml version=\"1.0\" ?>\n<formas>\n    <window ";
    EXPECT_EQ(texto.substr(0, inicio.size()), inicio);

    TiXmlDocument doc;
    doc.Parse(texto.c_str(), nullptr, TIXML_ENCODING_UTF8);
    ASSERT_FALSE(doc.Error()) << doc.ErrorDesc();
    const TiXmlDeclaration* declaracao = doc.FirstChild()->ToDeclaration();
    ASSERT_NE(declaracao, nullptr);
    EXPECT_STREQ(declaracao->Version(), "1.0");
    EXPECT_STREQ(declaracao->Encoding(), "");
    EXPECT_STREQ(declaracao->Standalone(), "");
    const TiXmlElement* raiz = doc.RootElement();
    ASSERT_NE(raiz, nullptr);
    EXPECT_EQ(raiz->ValueStr(), "formas");
    EXPECT_EQ(raiz->FirstChild()->ValueStr(), "window");
    EXPECT_EQ(raiz->NextSibling(), nullptr);
}

// So that the file shows under Carregar's filter.
TEST_F(ComandosDeArquivo, CaminhoSemSufixoGanhaXml)
{
    adicionarTodos(umDeCada());
    const Estado salvo = estado();
    const QString caminho = pasta.filePath("cena");
    EXPECT_EQ(salvar(caminho), "");
    EXPECT_FALSE(QFileInfo::exists(caminho));
    EXPECT_TRUE(QFileInfo(caminho + ".xml").isFile());
    EXPECT_EQ(janela.arquivoDaCena(), caminho + ".xml");
    adicionar(janela, {new Ponto("intruso", Cor(), Coordenada(1, 1, 1))});
    EXPECT_EQ(carregar(caminho + ".xml"), "");
    EXPECT_EQ(estado().descricoes, salvo.descricoes);
    EXPECT_EQ(estado().linhas, salvo.linhas);
}

TEST_F(ComandosDeArquivo, SalvarCanceladoNaoEscreveNemDizNada)
{
    adicionarTodos(umDeCada());
    EXPECT_EQ(salvar(QString()), "");
    EXPECT_TRUE(QDir(pasta.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

TEST_F(ComandosDeArquivo, SalvarOndeNaoDaDizPorQue)
{
    adicionarTodos(umDeCada());
    const QString caminho = pasta.filePath("não existe/cena.xml");
    const std::string erro = salvar(caminho);
    const std::string inicio = "Não foi possível salvar em '" + caminho.toStdString() + "': ";
    EXPECT_EQ(erro.substr(0, inicio.size()), inicio) << erro;
    EXPECT_GT(erro.size(), inicio.size() + 2) << erro;
    EXPECT_EQ(erro.substr(erro.size() - 2), ".\n");
    EXPECT_EQ(std::count(erro.begin(), erro.end(), '\n'), 1);
    EXPECT_FALSE(QFileInfo::exists(pasta.filePath("não existe")));
}

TEST_F(ComandosDeArquivo, SalvarQueFalhaNoMeioDeixaOArquivoAnterior)
{
    // A good scene on disk first.
    adicionar(janela, {new Ponto("P", Cor(), Coordenada(1, 2, 3))});
    const QString caminho = pasta.filePath("cena.xml");
    ASSERT_EQ(salvar(caminho), "");
    const std::string bom = conteudo(caminho);

    // A bigger scene, over files limited to 200 bytes (a limit that binds root too): the write
    // stops half-way.
    adicionarTodos(umDeCada());
    rlimit antes{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &antes), 0);
    rlimit pequeno = antes;
    pequeno.rlim_cur = 200;
    const auto sinalAnterior = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &pequeno), 0);
    // "Salvar Como...": plain Salvar would write to the scene's known file without asking.
    const Execucao salvamento = executar("actionSalvarComo", caminho);
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, sinalAnterior);

    // The dialog asked whether to replace the file, and was told yes.
    EXPECT_EQ(salvamento.substituicoes, 1);
    const std::string& erro = salvamento.erro;
    const std::string inicio = "Não foi possível salvar em '" + caminho.toStdString() + "': ";
    EXPECT_EQ(erro.substr(0, inicio.size()), inicio) << erro;
    EXPECT_EQ(erro.substr(erro.size() - 2), ".\n");
    EXPECT_EQ(conteudo(caminho), bom);
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("cena.xml")});
}

// Run in a child process (below) with the disk-failure library preloaded: the old file stays, and
// the message gives the reason the system gave.
TEST_F(ComandosDeArquivo, SalvarNumDiscoQueFalha)
{
    const QString caminho = qEnvironmentVariable("VELK_FALHA_ARQUIVO");
    if (caminho.isEmpty())
        GTEST_SKIP() << "só roda com a biblioteca de falhas de disco (abaixo)";
    const std::string anterior = conteudo(caminho);
    adicionarTodos(umDeCada());
    const Execucao salvamento = executar("actionSalvar", caminho);
    EXPECT_EQ(salvamento.substituicoes, 1);
    EXPECT_EQ(salvamento.erro, "Não foi possível salvar em '" + caminho.toStdString() + "': "
                                   + ErrosDeArquivo::motivo(qEnvironmentVariableIntValue("VELK_FALHA_ERRNO")) + ".\n");
    // Only the directory's sync fails after the new file took the name.
    const bool substituido = qEnvironmentVariable("VELK_FALHA_EM") == QStringLiteral("fsync");
    EXPECT_EQ(conteudo(caminho) != anterior, substituido);
    const QDir pasta = QFileInfo(caminho).dir();
    EXPECT_EQ(pasta.entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(caminho).fileName()});
}

// Write, sync or close failing leave the old file; the directory's sync failing is reported too,
// though the file was replaced: a power cut could still bring the old one back.
TEST_F(ComandosDeArquivo, CadaFalhaDoDiscoAoSalvarEAvisada)
{
    const struct {
        const char* funcao;
        int erro;
    } casos[] = {{"write", ENOSPC}, {"fdatasync", EIO}, {"close", EIO}, {"close", EDQUOT}, {"fsync", EIO}};
    const QString caminho = pasta.filePath("cena.xml");
    for (const auto& caso : casos) {
        escrever(caminho, "<formas/>\n");
        QProcess filho;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VELK_FALHAS_DE_DISCO));
        // The sanitizers' runtime wants to come first among the libraries; the order does not
        // matter to what is tested.
        ambiente.insert(QStringLiteral("ASAN_OPTIONS"),
                        ambiente.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
        ambiente.insert(QStringLiteral("VELK_FALHA_EM"), QString::fromLatin1(caso.funcao));
        ambiente.insert(QStringLiteral("VELK_FALHA_ERRNO"), QString::number(caso.erro));
        ambiente.insert(QStringLiteral("VELK_FALHA_CAMINHO"), QDir(pasta.path()).canonicalPath());
        ambiente.insert(QStringLiteral("VELK_FALHA_ARQUIVO"), caminho);
        filho.setProcessEnvironment(ambiente);
        filho.setProcessChannelMode(QProcess::MergedChannels);
        filho.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=ComandosDeArquivo.SalvarNumDiscoQueFalha")});
        ASSERT_TRUE(filho.waitForFinished(60000)) << caso.funcao;
        const std::string saida = filho.readAll().toStdString();
        EXPECT_EQ(filho.exitStatus(), QProcess::NormalExit) << caso.funcao << "\n" << saida;
        EXPECT_EQ(filho.exitCode(), 0) << caso.funcao << "\n" << saida;
        EXPECT_NE(saida.find("[  PASSED  ] 1 test."), std::string::npos) << caso.funcao << "\n" << saida;
        EXPECT_EQ(conteudo(caminho) == "<formas/>\n", std::string(caso.funcao) != "fsync") << caso.funcao;
    }
}

// An object of a kind the file cannot hold: the library refuses the whole scene.
class ObjetoSemFormato : public Objeto {
public:
    ObjetoSemFormato() : Objeto("estranho", Cor(), {Coordenada(0, 0, 0)}, 0) {}
    Objeto* clone() const override { return new ObjetoSemFormato(*this); }
    void descreverGeometria(Geometria& g) const override { g.pontos(coordenadas()); }
    std::string nomeDoTipo() const override { return "Estranho"; }
};

TEST_F(ComandosDeArquivo, CenaQueABibliotecaRecusaNaoEscreveArquivo)
{
    adicionar(janela, {new Ponto("P", Cor(), Coordenada(1, 2, 3)), new ObjetoSemFormato()});
    const QString caminho = pasta.filePath("cena.xml");
    const std::string erro = salvar(caminho);
    EXPECT_NE(erro.find("estranho"), std::string::npos) << erro;
    EXPECT_EQ(erro.back(), '\n');
    EXPECT_EQ(std::count(erro.begin(), erro.end(), '\n'), 1);
    EXPECT_FALSE(QFileInfo::exists(caminho));
}

TEST_F(ComandosDeArquivo, CarregarQueFalhaNaoMudaNada)
{
    adicionarTodos(umDeCada());
    canvas->janela()->rodar(5, 10, 15);
    const QString profundo = pasta.filePath("profundo.xml");
    escrever(profundo, "<?xml version=\"1.0\" ?>\n<formas>" + aninhados(100000) + "</formas>\n");
    const struct {
        const char* nome;
        QString caminho;
        std::string mensagem;
    } casos[] = {
        {"diálogo cancelado", QString(), "Erro desconhecido.\n"},
        {"arquivo vazio", qdados("cena-vazia.xml"), "O arquivo '" + dados("cena-vazia.xml") + "' está vazio.\n"},
        {"XML malformado", qdados("cena-malformada.xml"),
         "O arquivo '" + dados("cena-malformada.xml") + "' não é XML bem formado. Linha 5, coluna 36: um atributo está mal "
                                                         "escrito (falta o '=' ou uma aspa), ou a tag não termina com '>'.\n"},
        {"raiz que não é formas", qdados("cena-raiz-errada.xml"), "Tag raiz 'formas' ausente.\n"},
        {"objeto inválido", qdados("cena-objeto-invalido.xml"), "Linha 7: <reta> precisa de exatamente 2 coordenadas (encontradas 3).\n"},
        {"100.000 níveis", profundo, profundoDemais},
    };
    for (const auto& caso : casos) {
        const Estado antes = estado();
        const Execucao carga = executar("actionCarregar", caso.caminho);
        EXPECT_EQ(carga.erro, caso.mensagem) << caso.nome;
        // The user sees the same words; a cancelled dialog is no failure to show.
        const QStringList aviso = caso.caminho.isEmpty() ? QStringList()
                                                         : QStringList{QString::fromStdString(caso.mensagem).trimmed()};
        EXPECT_EQ(carga.avisos, aviso) << caso.nome;
        EXPECT_EQ(estado(), antes) << caso.nome;
        conferirMapa();
    }

    // A bad window: the library's message, one line, and nothing changed.
    const Estado antes = estado();
    const std::string erro = carregar(qdados("cena-window-invalida.xml"));
    EXPECT_EQ(erro.substr(0, 9), "Linha 3: ") << erro;
    EXPECT_NE(erro.find("distancia"), std::string::npos) << erro;
    EXPECT_EQ(std::count(erro.begin(), erro.end(), '\n'), 1);
    EXPECT_EQ(estado(), antes);

    // The rows still lead to live objects that the commands act on.
    clicarNaLinha(lista, 1);
    filho<QLineEdit>(janela, "fatorEscalaDisplay")->setText(QStringLiteral("2"));
    filho<QPushButton>(janela, "botaoEscala")->click();
    // The segment (-5, 2.5, 0)–(1/3, 7, -2) doubled about its midpoint m: 2·p − m.
    const auto& reta = canvas->displayFile()->listaDeObjetos[1]->coordenadas();
    EXPECT_TRUE(mesmoPonto(reta[0], -10 - (-5 + 1.0 / 3.0) / 2, 5 - 4.75, 0 + 1));
    EXPECT_TRUE(mesmoPonto(reta[1], 2.0 / 3.0 - (-5 + 1.0 / 3.0) / 2, 14 - 4.75, -4 + 1));
}

// TinyXML takes time quadratic in the attributes of an element; the check before it stops at 64.
TEST_F(ComandosDeArquivo, ElementoComAtributosDemaisNaoChegaAoTinyXml)
{
    adicionarTodos(umDeCada());
    const auto ponto = [](int atributos) {
        std::string texto = "<formas>\n<ponto nome=\"p\" cor=\"#000000\"";
        for (int i = 2; i < atributos; ++i)
            texto += " a" + std::to_string(i) + "=\"1\"";
        return texto + "><coordenada x=\"0\" y=\"0\" z=\"0\"/></ponto>\n</formas>\n";
    };
    const QString caminho = pasta.filePath("atributos.xml");
    // 100,000 attributes would take TinyXML some 50 s.
    escrever(caminho, ponto(100000));
    const Estado antes = estado();
    EXPECT_EQ(carregar(caminho), "Linha 2: <ponto> tem mais de 64 atributos, e o arquivo não foi carregado.\n");
    EXPECT_EQ(estado(), antes);
    escrever(caminho, ponto(65));
    EXPECT_EQ(carregar(caminho), "Linha 2: <ponto> tem mais de 64 atributos, e o arquivo não foi carregado.\n");
    escrever(caminho, ponto(64));
    EXPECT_EQ(carregar(caminho), semWindow);
    EXPECT_EQ(estado().linhas, QStringList{QStringLiteral("p : Ponto")});
}

// Past 256 MiB TinyXML's column counter can overflow (512 MiB of tabs abort it): such a file is
// refused from its size, before a byte of it is read. A sparse file costs no disk.
TEST_F(ComandosDeArquivo, ArquivoMaiorQue256MiBNaoELido)
{
    adicionarTodos(umDeCada());
    const QString caminho = pasta.filePath("enorme.xml");
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    ASSERT_TRUE(arquivo.write("<formas/>") == 9);
    ASSERT_TRUE(arquivo.resize(256LL * 1024 * 1024 + 1));
    arquivo.close();
    const Estado antes = estado();
    EXPECT_EQ(carregar(caminho), "O arquivo '" + caminho.toStdString() + "' tem mais de 256 MiB, mais do que o programa lê.\n");
    EXPECT_EQ(estado(), antes);
}

// A row lays out its whole text on every repaint: a long name shows its first 200 characters (not
// bytes), and the whole of it in the row's tooltip. The projection made for every repaint shares
// the name rather than copying it.
TEST_F(ComandosDeArquivo, NomeEnormeApareceCortadoNaLista)
{
    const std::string inicio = std::string(150, 'a') + [] {
        std::string s;
        for (int i = 0; i < 49; ++i)
            s += "ç";
        return s;
    }() + "\xF0\x9D\x84\x9E";
    const std::string nome = inicio + std::string(1000000, 'b');
    const std::string duzentos = inicio.substr(0, inicio.size() - 4) + "c";
    const QString caminho = pasta.filePath("nome.xml");
    escrever(caminho, "<formas><ponto nome=\"" + nome + "\" cor=\"#000000\"><coordenada x=\"0\" y=\"0\" z=\"0\"/></ponto>"
                          "<ponto nome=\"" + duzentos + "\" cor=\"#000000\"><coordenada x=\"1\" y=\"0\" z=\"0\"/></ponto></formas>");
    EXPECT_EQ(carregar(caminho), semWindow);
    ASSERT_EQ(lista->count(), 2);
    EXPECT_EQ(lista->item(0)->text(), QString::fromStdString(inicio + "… : Ponto"));
    EXPECT_EQ(lista->item(0)->toolTip(), QString::fromStdString(nome));
    EXPECT_EQ(lista->item(1)->text(), QString::fromStdString(duzentos + " : Ponto"));
    conferirMapa();

    const DisplayFile projecao = canvas->janela()->coordenadasDePlanoDeProjecao();
    ASSERT_EQ(projecao.listaDeObjetos.size(), 2u);
    EXPECT_EQ(&projecao.listaDeObjetos[0]->nome(), &canvas->displayFile()->listaDeObjetos[0]->nome());
}

// What xmllint says of a file: nothing when it is well-formed XML.
std::string xmllint(const QString& caminho)
{
    QProcess xmllint;
    xmllint.setProcessChannelMode(QProcess::MergedChannels);
    xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), caminho});
    if (!xmllint.waitForFinished(60000))
        return "xmllint não rodou (libxml2-utils)";
    return xmllint.readAll().toStdString() + (xmllint.exitCode() == 0 ? "" : "(falhou)");
}

// Every name the program takes comes back bit for bit, and the file it saves is XML to any reader.
TEST_F(ComandosDeArquivo, NomesVoltamBitABitNumArquivoXml)
{
    const char* const nomes[] = {"&<>\"'", "&amp;&#x41;&#0;", "ção €\xF0\x9D\x84\x9E", "t\tl\nc\r", "a]]>b",
                                 "\xEF\xBB\xBF" "bom", "\xEF\xBF\xBD\xF4\x8F\xBF\xBF", "\xC2\x85\x7F", " ",
                                 "\xED\x9F\xBF\xEE\x80\x80"};
    for (const char* nome : nomes)
        canvas->displayFile()->listaDeObjetos.push_back(new Ponto(nome, Cor(), Coordenada(1, 2, 3)));
    janela.atualizarLista();
    const Estado salvo = estado();
    const QString caminho = pasta.filePath("nomes.xml");
    ASSERT_EQ(salvar(caminho), "");
    EXPECT_EQ(xmllint(caminho), "");
    adicionar(janela, {new Ponto("intruso", Cor(), Coordenada(1, 1, 1))});
    EXPECT_EQ(carregar(caminho), "");
    EXPECT_EQ(estado().descricoes, salvo.descricoes);
}

TEST_F(ComandosDeArquivo, NomeQueOXmlNaoGuardaNaoECarregado)
{
    adicionarTodos(umDeCada());
    const Estado antes = estado();
    const std::pair<const char*, const char*> casos[] = {
        // The lead byte swallows "&a": the name would grow by "amp;" on every save.
        {"a\xE0&amp;b", "Linha 2: <ponto> tem nome=\"a\\xE0&amp;b\", que não é texto UTF-8 válido.\n"},
        {"c&#0;d", "Linha 2: <ponto> tem nome=\"c\\x00d\", com caracteres que o XML não admite.\n"},
        {"&#1;", "Linha 2: <ponto> tem nome=\"\\x01\", com caracteres que o XML não admite.\n"},
        {"&#xFFFF;", "Linha 2: <ponto> tem nome=\"\xEF\xBF\xBF\", com caracteres que o XML não admite.\n"},
        {"&#xD800;", "Linha 2: <ponto> tem nome=\"\\xED\\xA0\\x80\", que não é texto UTF-8 válido.\n"},
    };
    const QString caminho = pasta.filePath("nome.xml");
    for (const auto& [nome, mensagem] : casos) {
        escrever(caminho, std::string("<formas>\n<ponto nome=\"") + nome
                              + "\" cor=\"#000000\"><coordenada x=\"0\" y=\"0\" z=\"0\"/></ponto>\n</formas>\n");
        EXPECT_EQ(carregar(caminho), semWindow + mensagem);
        EXPECT_EQ(estado(), antes);
    }
}

TEST_F(ComandosDeArquivo, NomeQueOXmlNaoGuardaNaoESalvo)
{
    const std::pair<std::string, const char*> casos[] = {
        {"x\x01y", "\"x\\x01y\""},
        {std::string("c\0d", 3), "\"c\\x00d\""},
        {"\xEF\xBF\xBE", "\"\xEF\xBF\xBE\""},
        {"a\xE0" "b", "\"a\\xE0b\""},
    };
    const QString caminho = pasta.filePath("cena.xml");
    for (const auto& [nome, citado] : casos) {
        *canvas->displayFile() = DisplayFile();
        adicionar(janela, {new Ponto("bom", Cor(), Coordenada(0, 0, 0)), new Ponto(nome, Cor(), Coordenada(1, 2, 3))});
        EXPECT_EQ(salvar(caminho), std::string("O objeto ") + citado
                                       + " tem no nome caracteres que um arquivo XML não pode guardar e não pode ser salvo.\n");
        EXPECT_FALSE(QFileInfo::exists(caminho));
    }
}

// Text quoted from a file cannot drive the user's terminal.
TEST_F(ComandosDeArquivo, MensagemMostraOsCaracteresDeControleDoArquivoEscapados)
{
    const QString caminho = pasta.filePath("cor.xml");
    escrever(caminho, "<formas>\n<ponto nome=\"p\" cor=\"\x1B]0;x\x07\xC2\x9B" "2J\\\"><coordenada x=\"0\" y=\"0\" z=\"0\"/></ponto>\n</formas>\n");
    EXPECT_EQ(carregar(caminho),
              semWindow + "Linha 2: <ponto> tem cor=\"\\x1B]0;x\\x07\\u009B2J\\\\\", que não é uma cor no formato #rrggbb.\n");
}

TEST_F(ComandosDeArquivo, SegundaWindowERecusada)
{
    adicionarTodos(umDeCada());
    const Estado antes = estado();
    const std::string window = "<window distancia=\"10\"><centro x=\"0\" y=\"0\" z=\"0\"/><direita x=\"20\" y=\"0\" z=\"0\"/>"
                               "<cima x=\"0\" y=\"20\" z=\"0\"/></window>\n";
    const QString caminho = pasta.filePath("windows.xml");
    escrever(caminho, "<formas>\n" + window + "<ponto nome=\"p\" cor=\"#000000\"><coordenada x=\"0\" y=\"0\" z=\"0\"/></ponto>\n"
                          + window + "</formas>\n");
    EXPECT_EQ(carregar(caminho), "Linha 4: <window> aparece mais de uma vez em <formas>.\n");
    EXPECT_EQ(estado(), antes);
}

// TinyXML steps over a whole multi-byte character from its first byte: a file that ends inside
// one is read safely only thanks to the NULs put after it (the sanitized build sees any overrun).
TEST_F(ComandosDeArquivo, ArquivoQueTerminaNoMeioDeUmCaractereNaoELido)
{
    adicionarTodos(umDeCada());
    const Estado antes = estado();
    const QString caminho = pasta.filePath("cortado.xml");
    for (const char* texto : {"<formas><ponto nome=\"a\xF0", "<formas>\xE0", "<formas><!-- \xF0\x9D", "<formas><p\xC3",
                              "<formas><ponto nome=\"\xF0\x9D\x84"}) {
        escrever(caminho, texto);
        const std::string erro = carregar(caminho);
        const std::string inicio = "O arquivo '" + caminho.toStdString() + "' não é XML bem formado. Linha 1, coluna ";
        EXPECT_EQ(erro.substr(0, inicio.size()), inicio) << texto;
        EXPECT_EQ(std::count(erro.begin(), erro.end(), '\n'), 1) << erro;
        EXPECT_EQ(estado(), antes);
    }
}

// Read as UTF-8 whatever the file's own encoding, or refused with a message that names it.
TEST_F(ComandosDeArquivo, CodificacaoDeclaradaEHonradaOuNomeada)
{
    const QString caminho = pasta.filePath("codificado.xml");
    const QString cena = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\n<formas>\n<ponto nome=\"ação €\" "
                                        "cor=\"#000000\"><coordenada x=\"0\" y=\"0\" z=\"0\"/></ponto>\n</formas>\n");
    const QStringList linha{QStringLiteral("ação € : Ponto")};
    // As Python's ElementTree writes it (the euro sign has no Latin-1 byte: a reference).
    escrever(caminho, QString(cena).arg(QStringLiteral("ISO-8859-1")).replace(QStringLiteral("€"), QStringLiteral("&#8364;")).toLatin1().toStdString());
    EXPECT_EQ(carregar(caminho), semWindow);
    EXPECT_EQ(estado().linhas, linha);

    for (const auto ordem : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        adicionar(janela, {new Ponto("intruso", Cor(), Coordenada(1, 1, 1))});
        QStringEncoder utf16(ordem, QStringConverter::Flag::WriteBom);
        const QByteArray bytes = utf16(cena.arg(QStringLiteral("UTF-16")));
        escrever(caminho, bytes.toStdString());
        EXPECT_EQ(carregar(caminho), semWindow);
        EXPECT_EQ(estado().linhas, linha);
    }

    const Estado antes = estado();
    escrever(caminho, cena.arg(QStringLiteral("windows-1252")).toUtf8().toStdString());
    EXPECT_EQ(carregar(caminho), "O arquivo declara a codificação \"windows-1252\", que o programa não lê (só UTF-8, "
                                 "ISO-8859-1 e UTF-16 com marca de ordem de bytes), e não foi carregado.\n");
    EXPECT_EQ(estado(), antes);
}

// TinyXML stops reading, without a word, where a DOCTYPE's internal subset goes on past its first '>'.
TEST_F(ComandosDeArquivo, DoctypeComSubconjuntoInternoDizOQueFalta)
{
    adicionarTodos(umDeCada());
    const Estado antes = estado();
    const QString caminho = pasta.filePath("doctype.xml");
    escrever(caminho, "<?xml version=\"1.0\"?>\n<!DOCTYPE formas [\n<!ELEMENT formas ANY>\n]>\n<formas/>\n");
    EXPECT_EQ(carregar(caminho), "Linha 4: o <!DOCTYPE> tem um subconjunto interno ([…]), que o programa não lê, e o "
                                 "arquivo não foi carregado.\n");
    EXPECT_EQ(estado(), antes);
}

TEST_F(ComandosDeArquivo, CarregarSemWindowMantemACamera)
{
    adicionarTodos(umDeCada());
    canvas->janela()->rodar(0, 20, 0);
    const auto antes = camera(*canvas->janela());
    EXPECT_EQ(carregar(qdados("cena-sem-window.xml")), semWindow);
    EXPECT_EQ(camera(*canvas->janela()), antes);
    EXPECT_EQ(estado().linhas, (QStringList{QStringLiteral("origem : Ponto"), QStringLiteral("diagonal : Reta")}));
    conferirMapa();
    EXPECT_EQ(canvas->janela()->coordenadasDePlanoDeProjecao().listaDeObjetos.size(), 2u);
}

TEST_F(ComandosDeArquivo, CarregarRepintaOCanvas)
{
    mostrada(janela);
    // The first scene fills the empty list, and the new layout repaints the canvas by itself.
    EXPECT_EQ(carregar(qdados("cena-completa.xml")), "");
    EXPECT_TRUE(repintaOCanvas(janela, "carregar", [&] { EXPECT_EQ(carregar(qdados("cena-completa.xml")), ""); }));
}

// ---------------------------------------------------------------------------------------------
// The sample scenes

TEST_F(ComandosDeArquivo, ExemplosCarregamInteiros)
{
    const QDir exemplos(QStringLiteral(VELK_TEST_DATA "/../../examples"));
    const QStringList arquivos = exemplos.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name);
    ASSERT_GE(arquivos.size(), 3);
    for (const QString& nome : arquivos) {
        const QString caminho = exemplos.filePath(nome);
        EXPECT_EQ(carregar(caminho), "") << nome.toStdString();

        // Read independently: as many rows as object elements, and the file's camera.
        TiXmlDocument doc;
        ASSERT_TRUE(doc.LoadFile(QFile::encodeName(caminho).constData())) << nome.toStdString();
        const TiXmlElement* formas = doc.FirstChildElement("formas");
        ASSERT_NE(formas, nullptr);
        int elementos = 0;
        for (const TiXmlElement* e = formas->FirstChildElement(); e != nullptr; e = e->NextSiblingElement())
            elementos += e->ValueStr() != "window";
        EXPECT_EQ(lista->count(), elementos) << nome.toStdString();
        const std::string& texto = *formas->FirstChildElement("window")->Attribute(std::string("distancia"));
        double distancia = 0;
        std::from_chars(texto.data(), texto.data() + texto.size(), distancia);
        EXPECT_EQ(canvas->janela()->distanciaFocal(), distancia) << nome.toStdString();
        conferirMapa();
    }
}

TEST(Exemplos, UsamTodosOsTipos)
{
    // Every kind appears in some sample scene, and the flat drawing has all the flat ones.
    const QDir exemplos(QStringLiteral(VELK_TEST_DATA "/../../examples"));
    std::set<std::string> todos, doDesenho;
    for (const QString& nome : exemplos.entryList({QStringLiteral("*.xml")}, QDir::Files, QDir::Name)) {
        SuperficieDeTeste v;
        TiXmlDocument doc;
        ArquivoDeCena::ler(exemplos.filePath(nome), doc);
        v.restore(doc.FirstChildElement("formas"));
        for (const Objeto* o : v.displayFile()->listaDeObjetos) {
            const std::string tipo = o->nomeDoTipo() + (o->nivelDePreenchimento() == 2 ? " cheio" : "");
            todos.insert(tipo);
            if (nome == QStringLiteral("desenho.xml"))
                doDesenho.insert(tipo);
        }
    }
    EXPECT_EQ(doDesenho, (std::set<std::string>{"Ponto", "Reta", "Polígono", "Polígono cheio", "Curva de Bézier", "B-Spline", "Objeto 3D"}));
    for (const TipoDeObjeto* tipo : tiposDeObjeto())
        EXPECT_EQ(todos.count(tipo->nome), 1u) << tipo->nome;
}

} // namespace
