#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <tinyxml.h>

#include "bezier.h"
#include "bspline.h"
#include "displayfile.h"
#include "formatoxml.h"
#include "objeto3d.h"
#include "poligono.h"
#include "ponto.h"
#include "reta.h"
#include "superficiebezier.h"
#include "superficiebspline.h"
#include "transformacao.h"
#include "window.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Helpers

std::uint64_t bits(double d)
{
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

::testing::AssertionResult mesmosBits(double a, double b)
{
    if (bits(a) == bits(b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hexfloat << a << " != " << b;
}

std::string lerArquivo(const std::string& nome)
{
    std::ifstream f(std::string(VELK_TEST_DATA) + "/" + nome, std::ios::binary);
    std::ostringstream texto;
    texto << f.rdbuf();
    return texto.str();
}

std::unique_ptr<TiXmlDocument> analisar(const std::string& texto)
{
    auto doc = std::make_unique<TiXmlDocument>();
    doc->Parse(texto.c_str());
    EXPECT_FALSE(doc->Error()) << doc->ErrorDesc() << " na linha " << doc->ErrorRow() << ":\n" << texto;
    return doc;
}

std::string imprimir(const TiXmlNode& no)
{
    TiXmlPrinter printer;
    no.Accept(&printer);
    return printer.CStr();
}

TiXmlElement* raiz(TiXmlDocument& doc) { return doc.FirstChildElement("formas"); }

// A document as the application writes it: declaration, <formas>, <window>, the objects.
std::string salvar(const Window& w, const DisplayFile& df)
{
    TiXmlDocument doc;
    doc.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
    auto* formas = new TiXmlElement("formas");
    doc.LinkEndChild(formas);
    auto* window = new TiXmlElement("window");
    w.persist(window);
    formas->LinkEndChild(window);
    df.persist(formas);
    return imprimir(doc);
}

DisplayFile carregarObjetos(const std::string& texto)
{
    auto doc = analisar(texto);
    DisplayFile df;
    df.restore(raiz(*doc));
    return df;
}

Window janelaPadrao() { return Window(Coordenada(-10, -10, 0), Coordenada(10, 10, 0), Coordenada(0, 0, -10)); }

::testing::AssertionResult mesmasCoordenadas(const Objeto& a, const Objeto& b)
{
    if (a.coordenadas().size() != b.coordenadas().size())
        return ::testing::AssertionFailure()
            << a.coordenadas().size() << " e " << b.coordenadas().size() << " coordenadas";
    for (std::size_t i = 0; i < a.coordenadas().size(); ++i)
        for (std::size_t k = 0; k < 4; ++k)
            if (bits(a.coordenadas()[i](0, k)) != bits(b.coordenadas()[i](0, k)))
                return ::testing::AssertionFailure()
                    << "coordenada " << i << ", componente " << k << ": " << std::hexfloat << a.coordenadas()[i](0, k)
                    << " != " << b.coordenadas()[i](0, k);
    return ::testing::AssertionSuccess();
}

void esperarMesmaCena(const DisplayFile& a, const DisplayFile& b)
{
    ASSERT_EQ(a.listaDeObjetos.size(), b.listaDeObjetos.size());
    for (std::size_t i = 0; i < a.listaDeObjetos.size(); ++i) {
        const Objeto& x = *a.listaDeObjetos[i];
        const Objeto& y = *b.listaDeObjetos[i];
        SCOPED_TRACE("objeto " + std::to_string(i) + " (" + x.nome() + ")");
        EXPECT_EQ(x.nomeDoTipo(), y.nomeDoTipo());
        EXPECT_EQ(x.nome(), y.nome());
        EXPECT_EQ(x.cor(), y.cor());
        EXPECT_EQ(x.nivelDePreenchimento(), y.nivelDePreenchimento());
        EXPECT_TRUE(mesmasCoordenadas(x, y));
        const auto* ax = dynamic_cast<const Objeto3D*>(&x);
        const auto* ay = dynamic_cast<const Objeto3D*>(&y);
        ASSERT_EQ(ax == nullptr, ay == nullptr);
        if (ax != nullptr) {
            EXPECT_EQ(ax->arestas(), ay->arestas());
        }
        const auto* sx = dynamic_cast<const Superficie*>(&x);
        const auto* sy = dynamic_cast<const Superficie*>(&y);
        ASSERT_EQ(sx == nullptr, sy == nullptr);
        if (sx != nullptr) {
            EXPECT_EQ(sx->grade().linhas, sy->grade().linhas);
            EXPECT_EQ(sx->grade().colunas, sy->grade().colunas);
            EXPECT_EQ(sx->grade().malha, sy->grade().malha);
        }
    }
}

void esperarMesmaCamera(const Window& a, const Window& b)
{
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_TRUE(mesmosBits(a.centro()(0, k), b.centro()(0, k))) << "centro " << k;
        EXPECT_TRUE(mesmosBits(a.viewRightVector()(0, k), b.viewRightVector()(0, k))) << "direita " << k;
        EXPECT_TRUE(mesmosBits(a.viewUpVector()(0, k), b.viewUpVector()(0, k))) << "cima " << k;
    }
    EXPECT_TRUE(mesmosBits(a.distanciaFocal(), b.distanciaFocal()));
}

// Runs f and returns the std::string it throws; fails the test if it throws nothing or anything else.
template <typename F>
std::string falhaDe(F&& f)
{
    try {
        f();
    } catch (const std::string& erro) {
        return erro;
    } catch (const std::exception& e) {
        ADD_FAILURE() << "exceção que não é std::string: " << e.what();
        return {};
    } catch (...) {
        ADD_FAILURE() << "exceção de tipo desconhecido";
        return {};
    }
    ADD_FAILURE() << "nenhuma falha";
    return {};
}

// ---------------------------------------------------------------------------------------------
// Random scenes with awkward numbers

class Sorteio {
public:
    explicit Sorteio(std::uint64_t semente) : _gerador(semente) { }

    double numero()
    {
        static const double estranhos[] = {
            0.1,
            0.2,
            0.30000000000000004,
            1.0 / 3.0,
            -0.0,
            0.0,
            1e-300,
            -1e-300,
            5e-324,
            -5e-324,
            2.5e-310,
            std::numeric_limits<double>::min(),
            std::numeric_limits<double>::max(),
            -std::numeric_limits<double>::max(),
            1e308,
            123456789.123456789,
            1e21,
            1e-7,
            9007199254740993.0,
            0.5,
            -2.5,
            100.0,
        };
        switch (inteiro(0, 3)) {
        case 0:
            return estranhos[inteiro(0, sizeof estranhos / sizeof estranhos[0] - 1)];
        case 1:
            return std::uniform_real_distribution<double>(-1000.0, 1000.0)(_gerador);
        case 2: {
            // Any finite double, subnormals included, by its bits.
            double d;
            do {
                const std::uint64_t u = _gerador();
                std::memcpy(&d, &u, sizeof d);
            } while (!std::isfinite(d));
            return d;
        }
        default:
            return std::ldexp(
                std::uniform_real_distribution<double>(-1.0, 1.0)(_gerador), static_cast<int>(inteiro(0, 2098)) - 1074);
        }
    }

    std::size_t inteiro(std::size_t de, std::size_t ate)
    {
        return std::uniform_int_distribution<std::size_t>(de, ate)(_gerador);
    }

    Coordenada ponto() { return Coordenada(numero(), numero(), numero()); }

    std::vector<Coordenada> pontos(std::size_t n)
    {
        std::vector<Coordenada> c;
        for (std::size_t i = 0; i < n; ++i)
            c.push_back(ponto());
        return c;
    }

    std::string nome()
    {
        static const char* const pedacos[]
            = {"a", "Ç", "ã", " ", "&", "<", ">", "\"", "'", "z", "ponto 1", "\xe2\x82\xac", "\t"};
        std::string s;
        const std::size_t n = inteiro(0, 6);
        for (std::size_t i = 0; i < n; ++i)
            s += pedacos[inteiro(0, sizeof pedacos / sizeof pedacos[0] - 1)];
        return s;
    }

    Cor cor()
    {
        return Cor(
            static_cast<int>(inteiro(0, 255)), static_cast<int>(inteiro(0, 255)), static_cast<int>(inteiro(0, 255)));
    }

    Objeto* objeto()
    {
        switch (inteiro(0, 7)) {
        case 0:
            return new Ponto(nome(), cor(), ponto());
        case 1:
            return new Reta(nome(), cor(), ponto(), ponto());
        case 2:
            return new Poligono(nome(), cor(), pontos(inteiro(3, 8)), inteiro(0, 1) == 1);
        case 3:
            return new Bezier(nome(), cor(), pontos(3 * inteiro(1, 3) + 1));
        case 4:
            return new BSpline(nome(), cor(), pontos(inteiro(4, 9)));
        case 5: {
            const Grade g{3 * inteiro(1, 2) + 1, 3 * inteiro(1, 2) + 1, static_cast<int>(inteiro(1, 64))};
            return new SuperficieBezier(nome(), cor(), pontos(g.linhas * g.colunas), g);
        }
        case 6: {
            const Grade g{inteiro(4, 6), inteiro(4, 6), static_cast<int>(inteiro(1, 64))};
            return new SuperficieBSpline(nome(), cor(), pontos(g.linhas * g.colunas), g);
        }
        default: {
            const std::size_t n = inteiro(2, 8);
            std::vector<std::pair<int, int>> arestas;
            const std::size_t m = inteiro(1, 12);
            for (std::size_t k = 0; k < m; ++k) {
                const int i = static_cast<int>(inteiro(0, n - 1));
                const int j = static_cast<int>((static_cast<std::size_t>(i) + inteiro(1, n - 1)) % n);
                arestas.emplace_back(i, j);
            }
            return new Objeto3D(nome(), cor(), pontos(n), arestas);
        }
        }
    }

    DisplayFile cena(std::size_t n)
    {
        DisplayFile df;
        for (std::size_t i = 0; i < n; ++i)
            df.listaDeObjetos.push_back(objeto());
        return df;
    }

private:
    std::mt19937_64 _gerador;
};

// ---------------------------------------------------------------------------------------------
// The scene files in tests/data

TEST(ArquivoDeCena, LeAsCamerasEOsObjetosDoArquivo)
{
    auto doc = analisar(lerArquivo("cena-completa.xml"));
    Window w = janelaPadrao();
    w.restore(raiz(*doc)->FirstChild("window"));
    EXPECT_EQ(w.centro(), Coordenada(1, -2, 0.5));
    EXPECT_EQ(w.viewRightVector(), Vetor(0, 0, -40));
    EXPECT_EQ(w.viewUpVector(), Vetor(0, 30, 0));
    EXPECT_EQ(w.distanciaFocal(), 25.5);

    DisplayFile df;
    df.restore(raiz(*doc));
    const std::vector<Objeto*>& o = df.listaDeObjetos;
    ASSERT_EQ(o.size(), 7u);
    const char* tipos[] = {"Ponto", "Reta", "Polígono", "Polígono", "Curva de Bézier", "B-Spline", "Objeto 3D"};
    const char* nomes[] = {"P", "r", "triângulo & <cia>", "contorno", "b", "s", "tetraedro"};
    const Cor cores[] = {Cor(255, 0, 0), Cor(0, 0, 0), Cor(0, 0xaa, 0), Cor(0x10, 0x20, 0x30), Cor(0, 0, 255),
        Cor(0xab, 0xcd, 0xef), Cor(0x33, 0x33, 0x33)};
    const int niveis[] = {0, 1, 2, 1, 1, 1, 1};
    const std::size_t contagens[] = {1, 2, 3, 4, 4, 5, 4};
    for (std::size_t i = 0; i < o.size(); ++i) {
        EXPECT_EQ(o[i]->nomeDoTipo(), tipos[i]);
        EXPECT_EQ(o[i]->nome(), nomes[i]);
        EXPECT_EQ(o[i]->cor(), cores[i]);
        EXPECT_EQ(o[i]->nivelDePreenchimento(), niveis[i]);
        EXPECT_EQ(o[i]->coordenadas().size(), contagens[i]);
    }
    EXPECT_EQ(o[1]->coordenadas()[1], Coordenada(1e-300, -0.0, 123456789.125));
    EXPECT_TRUE(std::signbit(o[1]->coordenadas()[1].y()));
    EXPECT_EQ(o[3]->coordenadas()[0], Coordenada(0.1 + 0.2, 1e-5, 0));
    EXPECT_EQ(o[3]->coordenadas()[3], Coordenada(0, 1, -1e21));
    EXPECT_EQ(o[5]->coordenadas()[0].x(), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(o[5]->coordenadas()[1].x(), std::numeric_limits<double>::min());
    EXPECT_EQ(o[5]->coordenadas()[2].x(), 2.5e-310);
    EXPECT_EQ(
        o[5]->coordenadas()[3], Coordenada(std::numeric_limits<double>::max(), 3, -std::numeric_limits<double>::max()));
    EXPECT_EQ(static_cast<Objeto3D*>(o[6])->arestas(),
        (std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {0, 3}, {1, 2}, {2, 3}, {3, 1}}));
}

TEST(ArquivoDeCena, ComentariosInstrucoesEOutraGrafiaDaoAMesmaCena)
{
    auto canonico = analisar(lerArquivo("cena-completa.xml"));
    auto comentado = analisar(lerArquivo("cena-completa-comentada.xml"));
    Window a = janelaPadrao();
    Window b = janelaPadrao();
    a.restore(raiz(*canonico)->FirstChild("window"));
    b.restore(raiz(*comentado)->FirstChild("window"));
    esperarMesmaCamera(a, b);
    DisplayFile x;
    DisplayFile y;
    x.restore(raiz(*canonico));
    y.restore(raiz(*comentado));
    esperarMesmaCena(x, y);
}

TEST(ArquivoDeCena, EscritaReproduzOArquivoCanonico)
{
    for (const char* nome : {"cena-completa.xml", "cena-completa-comentada.xml"}) {
        auto doc = analisar(lerArquivo(nome));
        Window w = janelaPadrao();
        w.restore(raiz(*doc)->FirstChild("window"));
        DisplayFile df;
        df.restore(raiz(*doc));
        EXPECT_EQ(salvar(w, df), lerArquivo("cena-completa.xml")) << nome;
    }
}

// ---------------------------------------------------------------------------------------------
// Round trips

TEST(IdaEVolta, CenasSorteadasVoltamBitABit)
{
    for (std::uint64_t semente = 1; semente <= 30; ++semente) {
        SCOPED_TRACE("semente " + std::to_string(semente));
        Sorteio sorteio(semente);
        const DisplayFile original = sorteio.cena(40);
        const DisplayFile lida = carregarObjetos(salvar(janelaPadrao(), original));
        esperarMesmaCena(original, lida);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(IdaEVolta, PorArquivoComoOProgramaSalvaECarrega)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const std::string caminho = pasta.filePath("cena sem sufixo").toStdString();
    Sorteio sorteio(99);
    const DisplayFile original = sorteio.cena(60);
    Window w = janelaPadrao();
    w.rodar(12, -40, 75);
    w.mover(0.3, -0.7, 2.5);
    w.escala(0.37);
    {
        TiXmlDocument doc;
        doc.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
        auto* formas = new TiXmlElement("formas");
        auto* window = new TiXmlElement("window");
        w.persist(window);
        formas->LinkEndChild(window);
        original.persist(formas);
        doc.LinkEndChild(formas);
        ASSERT_TRUE(doc.SaveFile(caminho.c_str()));
    }
    TiXmlDocument doc(caminho.c_str());
    ASSERT_TRUE(doc.LoadFile());
    TiXmlNode* formas = doc.FirstChild("formas");
    ASSERT_NE(formas, nullptr);
    Window lida = janelaPadrao();
    lida.restore(formas->FirstChild("window"));
    esperarMesmaCamera(w, lida);
    DisplayFile df;
    df.restore(formas);
    esperarMesmaCena(original, df);
}

TEST(IdaEVolta, CamerasSorteadasVoltamBitABit)
{
    Sorteio sorteio(7);
    std::mt19937_64 angulos(11);
    std::uniform_real_distribution<double> grau(-180.0, 180.0);
    for (int i = 0; i < 200; ++i) {
        Window w = janelaPadrao();
        w.rodar(grau(angulos), grau(angulos), grau(angulos));
        w.mover(std::uniform_real_distribution<double>(-1e3, 1e3)(angulos), 0.1, -0.3);
        w.escala(std::ldexp(1.0, static_cast<int>(sorteio.inteiro(0, 80)) - 40) * 1.1);
        auto doc = analisar(salvar(w, DisplayFile()));
        Window lida = janelaPadrao();
        lida.restore(raiz(*doc)->FirstChild("window"));
        esperarMesmaCamera(w, lida);
        if (::testing::Test::HasFailure())
            return;
    }
}

TEST(IdaEVolta, EstadoDaWindowLidoEOEscrito)
{
    FormatoXml::EstadoDaWindow estado;
    estado.centro = Coordenada(0.1, -0.0, 5e-324);
    estado.direita = Vetor(0.6, 0.8, 0.0) * 3.3;
    estado.cima = Vetor(-0.8, 0.6, 0.0) * 0.7;
    estado.distancia = 1e-300;
    TiXmlElement window("window");
    FormatoXml::escreverWindow(&window, estado);
    auto doc = analisar(imprimir(window));
    const FormatoXml::EstadoDaWindow lido = FormatoXml::lerWindow(doc->FirstChild("window"));
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_TRUE(mesmosBits(lido.centro(0, k), estado.centro(0, k)));
        EXPECT_TRUE(mesmosBits(lido.direita(0, k), estado.direita(0, k)));
        EXPECT_TRUE(mesmosBits(lido.cima(0, k), estado.cima(0, k)));
    }
    EXPECT_TRUE(mesmosBits(lido.distancia, estado.distancia));
}

TEST(IdaEVolta, ProjecaoParalelaVaiNoArquivoEArquivoSemElaEPerspectiva)
{
    // Catches a projection left out of the file, read into the wrong kind, or kept from the camera
    // in use when the file read says nothing of it.
    for (const Projecao projecao : {Projecao::ortogonal, Projecao::obliqua}) {
        Window w = janelaPadrao();
        w.definirProjecao(projecao);
        auto doc = analisar(salvar(w, DisplayFile()));
        Window lida = janelaPadrao();
        lida.restore(raiz(*doc)->FirstChild("window"));
        EXPECT_EQ(lida.projecao(), projecao);
        auto antigo = analisar(lerArquivo("cena-completa.xml"));
        lida.restore(raiz(*antigo)->FirstChild("window"));
        EXPECT_EQ(lida.projecao(), Projecao::perspectiva);
    }
    Window w = janelaPadrao();
    w.definirProjecao(Projecao::obliqua);
    auto doc = analisar("<formas>\n<window distancia=\"10\" projecao=\"isometrica\"><centro x=\"0\" y=\"0\" z=\"0\"/>"
                        "<direita x=\"20\" y=\"0\" z=\"0\"/><cima x=\"0\" y=\"20\" z=\"0\"/></window></formas>");
    EXPECT_EQ(falhaDe([&] { w.restore(raiz(*doc)->FirstChild("window")); }),
              "Linha 2: <window> tem projecao=\"isometrica\", que não é \"perspectiva\", \"ortogonal\" nem \"obliqua\".");
    EXPECT_EQ(w.projecao(), Projecao::obliqua);
}

// ---------------------------------------------------------------------------------------------
// Restoring objects

int destruidos = 0;

class PontoContado : public Ponto {
public:
    using Ponto::Ponto;
    ~PontoContado() override { ++destruidos; }
    Objeto* clone() const override { return new PontoContado(*this); }
};

TEST(RestaurarObjetos, SubstituiEApagaOsAntigos)
{
    DisplayFile df;
    df.listaDeObjetos.push_back(new PontoContado("velho 1", Cor(), Coordenada(1, 1, 1)));
    df.listaDeObjetos.push_back(new PontoContado("velho 2", Cor(), Coordenada(2, 2, 2)));
    destruidos = 0;
    auto doc = analisar(lerArquivo("cena-completa.xml"));
    df.restore(raiz(*doc));
    EXPECT_EQ(destruidos, 2);
    ASSERT_EQ(df.listaDeObjetos.size(), 7u);
    EXPECT_EQ(df.listaDeObjetos[0]->nome(), "P");
}

TEST(RestaurarObjetos, RaizSemObjetosDeixaACenaVazia)
{
    DisplayFile df;
    df.listaDeObjetos.push_back(new Ponto("velho", Cor(), Coordenada(1, 1, 1)));
    auto doc = analisar("<formas>\n  <!-- nada -->\n  <window distancia=\"1\"/>\n</formas>");
    df.restore(raiz(*doc));
    EXPECT_TRUE(df.listaDeObjetos.empty());
}

TEST(RestaurarObjetos, DocumentoMontadoEmMemoriaNaoTemLinhas)
{
    TiXmlElement formas("formas");
    auto* ponto = new TiXmlElement("ponto");
    ponto->SetAttribute("nome", "p");
    ponto->SetAttribute("cor", "vermelho");
    formas.LinkEndChild(ponto);
    DisplayFile df;
    EXPECT_EQ(
        falhaDe([&] { df.restore(&formas); }), "<ponto> tem cor=\"vermelho\", que não é uma cor no formato #rrggbb.");
    EXPECT_EQ(falhaDe([&] { df.restore(nullptr); }), "Não há elemento de onde ler os objetos.");
}

TEST(RestaurarObjetos, LinhaDoArquivoComoOEditorMostra)
{
    // Windows line ends, a comment over several lines and a tab: the line named is the file's own.
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    const std::string caminho = pasta.filePath("cena-completa.xml").toStdString();
    std::ofstream(caminho, std::ios::binary) << "<?xml version=\"1.0\" ?>\r\n<formas>\r\n<!-- uma\r\nduas\r\n-->\r\n"
                                                "\t<reta nome=\"r\" cor=\"#000000\">\r\n"
                                                "\t\t<coordenada x=\"1\" y=\"2\"/>\r\n</reta>\r\n</formas>\r\n";
    TiXmlDocument doc(caminho.c_str());
    ASSERT_TRUE(doc.LoadFile());
    DisplayFile df;
    EXPECT_EQ(falhaDe([&] { df.restore(doc.FirstChild("formas")); }), "Linha 7: <coordenada> precisa do atributo z.");
}

// One fault per row: the body of <formas> (which starts on line 2) and the exact message.
struct Falha {
    std::string corpo;
    std::string mensagem;
};

std::vector<Falha> falhasDeObjetos()
{
    const std::string tetraedro = "<objeto3d nome=\"t\" cor=\"#000000\">\n"
                                  "<coordenada x=\"0\" y=\"0\" z=\"0\"/>\n<coordenada x=\"1\" y=\"0\" z=\"0\"/>\n"
                                  "<coordenada x=\"0\" y=\"1\" z=\"0\"/>\n<coordenada x=\"0\" y=\"0\" z=\"1\"/>\n";
    const auto aresta
        = [&](const std::string& atributos) { return tetraedro + "<aresta " + atributos + "/>\n</objeto3d>"; };
    const auto ponto = [](const std::string& atributos) {
        return "<ponto " + atributos + ">\n<coordenada x=\"0\" y=\"0\" z=\"0\"/>\n</ponto>";
    };
    const auto coordenada = [](const std::string& xyz) {
        return "<ponto nome=\"p\" cor=\"#000000\">\n<coordenada " + xyz + "/>\n</ponto>";
    };
    const auto comN = [](const std::string& elemento, int n, const std::string& extra = "") {
        std::string s = "<" + elemento + " nome=\"o\" cor=\"#000000\"" + extra + ">\n";
        for (int i = 0; i < n; ++i)
            s += "<coordenada x=\"" + std::to_string(i) + "\" y=\"1\" z=\"2\"/>\n";
        return s + "</" + elemento + ">";
    };
    const auto grade = [&](const std::string& elemento, const std::string& atributos, int n) {
        return comN(elemento, n, " " + atributos);
    };

    std::vector<Falha> f = {
        // Unknown elements and stray content
        {"<circulo nome=\"c\" cor=\"#000000\"/>", "Linha 2: <circulo> não é um tipo de objeto conhecido."},
        {ponto("nome=\"a\" cor=\"#000000\"") + "\n<Ponto nome=\"b\" cor=\"#000000\"/>",
            "Linha 5: <Ponto> não é um tipo de objeto conhecido."},
        {comN("reta", 2).substr(0, comN("reta", 2).size() - 7) + "<aresta origem=\"0\" destino=\"1\"/>\n</reta>",
            "Linha 5: <aresta> não pode estar dentro de <reta>."},
        {"<ponto nome=\"p\" cor=\"#000000\">\n<coordenada x=\"0\" y=\"0\" z=\"0\">\n<w/>\n</coordenada>\n</ponto>",
            "Linha 4: <w> não pode estar dentro de <coordenada>."},
        {tetraedro + "<aresta origem=\"0\" destino=\"1\"><nota/></aresta>\n</objeto3d>",
            "Linha 7: <nota> não pode estar dentro de <aresta>."},
        {"<reta nome=\"r\" cor=\"#000000\">\noi\n<coordenada x=\"0\" y=\"0\" z=\"0\"/>\n</reta>",
            "Linha 3: <reta> contém texto inesperado."},
        {"<ponto nome=\"p\" cor=\"#000000\">\n<coordenada x=\"0\" y=\"0\" z=\"0\">1</coordenada>\n</ponto>",
            "Linha 3: <coordenada> contém texto inesperado."},
        {"solto", "Linha 2: <formas> contém texto inesperado."},
        {"<![CDATA[dados]]>", "Linha 2: <formas> contém texto inesperado."},
        {"<!DOCTYPE formas>", "Linha 2: <formas> contém marcação desconhecida."},

        // Name, colour and fill flag: the object's own line
        {ponto("cor=\"#000000\""), "Linha 2: <ponto> precisa do atributo nome."},
        {ponto("nome=\"p\""), "Linha 2: <ponto> precisa do atributo cor."},
        {comN("poligono", 3), "Linha 2: <poligono> precisa do atributo preenchido."},

        // Counts: the object's own line
        {comN("ponto", 0), "Linha 2: <ponto> precisa de exatamente 1 coordenada (encontradas 0)."},
        {comN("ponto", 2), "Linha 2: <ponto> precisa de exatamente 1 coordenada (encontradas 2)."},
        {comN("reta", 1), "Linha 2: <reta> precisa de exatamente 2 coordenadas (encontrada 1)."},
        {comN("reta", 3), "Linha 2: <reta> precisa de exatamente 2 coordenadas (encontradas 3)."},
        {comN("poligono", 2, " preenchido=\"true\""),
            "Linha 2: <poligono> precisa de 3 ou mais coordenadas (encontradas 2)."},
        {comN("bezier", 3), "Linha 2: <bezier> precisa de 3k + 1 coordenadas, com k ≥ 1 (encontradas 3)."},
        {comN("bezier", 5), "Linha 2: <bezier> precisa de 3k + 1 coordenadas, com k ≥ 1 (encontradas 5)."},
        {comN("bezier", 6), "Linha 2: <bezier> precisa de 3k + 1 coordenadas, com k ≥ 1 (encontradas 6)."},
        {comN("bspline", 3), "Linha 2: <bspline> precisa de 4 ou mais coordenadas (encontradas 3)."},
        {comN("objeto3d", 1), "Linha 2: <objeto3d> precisa de 2 ou mais coordenadas (encontrada 1)."},
        {comN("objeto3d", 4), "Linha 2: <objeto3d> precisa de 1 ou mais arestas (encontradas 0)."},

        // Coordinates: the coordinate's own line
        {coordenada("x=\"0\" z=\"0\""), "Linha 3: <coordenada> precisa do atributo y."},
        {coordenada("x=\"0\" y=\"0\""), "Linha 3: <coordenada> precisa do atributo z."},

        // Edges: the edge's own line
        {aresta("origem=\"0\""), "Linha 7: <aresta> precisa do atributo destino."},
        {aresta("destino=\"0\""), "Linha 7: <aresta> precisa do atributo origem."},
        {aresta("origem=\"0\" destino=\"4\""), "Linha 7: <aresta> liga ao vértice 4, que não existe (há 4 vértices)."},
        {aresta("origem=\"-1\" destino=\"2\""),
            "Linha 7: <aresta> liga ao vértice -1, que não existe (há 4 vértices)."},
        {aresta("origem=\"0\" destino=\"99999999999\""),
            "Linha 7: <aresta> liga ao vértice 99999999999, que não existe (há 4 vértices)."},
        {aresta("origem=\"2\" destino=\"2\""), "Linha 7: <aresta> liga o vértice 2 a ele mesmo."},
        {"<objeto3d nome=\"t\" cor=\"#000000\">\n<coordenada x=\"0\" y=\"0\" z=\"0\"/>\n"
         "<coordenada x=\"1\" y=\"0\" z=\"0\"/>\n<aresta origem=\"0\" destino=\"1\"/>\n<aresta origem=\"1\" "
         "destino=\"2\"/>\n</objeto3d>",
            "Linha 6: <aresta> liga ao vértice 2, que não existe (há 2 vértices)."},

        // Grids: the object's own line
        {grade("superficiebezier", "colunas=\"4\"", 16),
            "Linha 2: <superficiebezier> precisa do atributo linhas."},
        {grade("superficiebezier", "linhas=\"5\" colunas=\"4\"", 20),
            "Linha 2: <superficiebezier> tem linhas=\"5\", mas precisa de 3k + 1 linhas, com k ≥ 1."},
        {grade("superficiebezier", "linhas=\"4\" colunas=\"1\"", 4),
            "Linha 2: <superficiebezier> tem colunas=\"1\", mas precisa de 3k + 1 colunas, com k ≥ 1."},
        {grade("superficiebspline", "linhas=\"-4\" colunas=\"4\"", 16),
            "Linha 2: <superficiebspline> tem linhas=\"-4\", mas precisa de 4 ou mais linhas."},
        {grade("superficiebspline", "linhas=\"4\" colunas=\"5\"", 16),
            "Linha 2: <superficiebspline> precisa de linhas × colunas = 4 × 5 coordenadas (encontradas 16)."},
        {grade("superficiebspline", "linhas=\"4611686018427387908\" colunas=\"4\"", 16),
            "Linha 2: <superficiebspline> precisa de linhas × colunas = 4611686018427387908 × 4 coordenadas "
            "(encontradas 16)."},
        {grade("superficiebspline", "linhas=\"99999999999999999999\" colunas=\"4\"", 16),
            "Linha 2: <superficiebspline> tem linhas=\"99999999999999999999\", que está fora do intervalo dos números "
            "representáveis."},
        {grade("superficiebspline", "linhas=\"4.0\" colunas=\"4\"", 16),
            "Linha 2: <superficiebspline> tem linhas=\"4.0\", que não é um número inteiro."},
        {grade("superficiebezier", "linhas=\"4\" colunas=\"4\" malha=\"0\"", 16),
            "Linha 2: <superficiebezier> tem malha=\"0\", que não é um inteiro de 1 a 64."},
        {grade("superficiebezier", "linhas=\"4\" colunas=\"4\" malha=\"65\"", 16),
            "Linha 2: <superficiebezier> tem malha=\"65\", que não é um inteiro de 1 a 64."},
        {grade("superficiebezier", "linhas=\"4\" colunas=\"4\" malha=\"\"", 16),
            "Linha 2: <superficiebezier> tem malha=\"\", que não é um número inteiro."},

        // A fault after good objects: nothing of the good ones is kept
        {comN("ponto", 1) + "\n" + comN("reta", 2) + "\n" + comN("bspline", 3),
            "Linha 9: <bspline> precisa de 4 ou mais coordenadas (encontradas 3)."},
    };

    for (const char* cor : {"#12345", "#1234567", "123456", "#12345g", "# 12345", "", "#ff00zz", "red", "#FF00 0"})
        f.push_back({ponto("nome=\"p\" cor=\"" + std::string(cor) + "\""),
            "Linha 2: <ponto> tem cor=\"" + std::string(cor) + "\", que não é uma cor no formato #rrggbb."});
    for (const char* flag : {"sim", "True", "1", "", " true"})
        f.push_back({comN("poligono", 3, " preenchido=\"" + std::string(flag) + "\""),
            "Linha 2: <poligono> tem preenchido=\"" + std::string(flag) + "\", que não é true nem false."});
    for (const char* n : {"abc", "", " 1", "1 ", "+1", "0x10", "1,5", "1e", "--1", ".", "1.5.2", "1e+", "0.5f", "١"})
        f.push_back({coordenada("x=\"0\" y=\"0\" z=\"" + std::string(n) + "\""),
            "Linha 3: <coordenada> tem z=\"" + std::string(n) + "\", que não é um número."});
    for (const char* n : {"inf", "-inf", "nan", "infinity", "NaN", "-nan"})
        f.push_back({coordenada("x=\"" + std::string(n) + "\" y=\"0\" z=\"0\""),
            "Linha 3: <coordenada> tem x=\"" + std::string(n) + "\", que não é um número finito."});
    for (const char* n : {"1e309", "-1e400", "1e-400", "-2e-324", "2.4703282292062327e-324"})
        f.push_back({coordenada("x=\"0\" y=\"" + std::string(n) + "\" z=\"0\""),
            "Linha 3: <coordenada> tem y=\"" + std::string(n)
                + "\", que está fora do intervalo dos números representáveis."});
    for (const char* n : {"1.5", "a", "", "+1", " 1", "0x1", "1e1"})
        f.push_back({aresta("origem=\"" + std::string(n) + "\" destino=\"1\""),
            "Linha 7: <aresta> tem origem=\"" + std::string(n) + "\", que não é um número inteiro."});
    const std::string longo(60, '9');
    f.push_back({coordenada("x=\"" + longo + "x\" y=\"0\" z=\"0\""),
        "Linha 3: <coordenada> tem x=\"" + longo.substr(0, 40) + "…\", que não é um número."});
    return f;
}

TEST(RestaurarObjetos, CadaFalhaTemSuaMensagemENadaMuda)
{
    for (const Falha& falha : falhasDeObjetos()) {
        SCOPED_TRACE(falha.corpo);
        DisplayFile df;
        df.listaDeObjetos.push_back(new Ponto("antes", Cor(1, 2, 3), Coordenada(1, 2, 3)));
        df.listaDeObjetos.push_back(new Reta("também", Cor(4, 5, 6), Coordenada(0, 0, 0), Coordenada(7, 8, 9)));
        const std::vector<Objeto*> antes = df.listaDeObjetos;
        const std::string conteudoAntes = salvar(janelaPadrao(), df);

        auto doc = analisar("<formas>\n" + falha.corpo + "\n</formas>\n");
        EXPECT_EQ(falhaDe([&] { df.restore(raiz(*doc)); }), falha.mensagem);
        EXPECT_EQ(df.listaDeObjetos, antes);
        EXPECT_EQ(salvar(janelaPadrao(), df), conteudoAntes);
    }
}

TEST(RestaurarObjetos, ArquivosEstragadosNuncaDerrubamOPrograma)
{
    // Random damage to a good file: whatever TinyXML still accepts is either read whole or refused
    // with a message, and a refusal leaves the scene as it was.
    const std::string original = lerArquivo("cena-completa-comentada.xml");
    std::mt19937_64 gerador(2024);
    const std::string trocas = "<>/\"'=&#-+.eE0123456789 \nabcxyz";
    int aceitos = 0;
    int recusados = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string texto = original;
        const int danos = 1 + static_cast<int>(gerador() % 4);
        for (int d = 0; d < danos; ++d) {
            const std::size_t p = gerador() % texto.size();
            switch (gerador() % 3) {
            case 0:
                texto.erase(p, 1 + gerador() % 8);
                break;
            case 1:
                texto[p] = trocas[gerador() % trocas.size()];
                break;
            default:
                texto.insert(p, 1, trocas[gerador() % trocas.size()]);
            }
        }
        TiXmlDocument doc;
        doc.Parse(texto.c_str());
        if (doc.Error() || raiz(doc) == nullptr)
            continue;
        DisplayFile df;
        df.listaDeObjetos.push_back(new Ponto("antes", Cor(), Coordenada(1, 2, 3)));
        Window w = janelaPadrao();
        try {
            df.restore(raiz(doc));
            ++aceitos;
        } catch (const std::string& erro) {
            ++recusados;
            EXPECT_EQ(erro.rfind("Linha ", 0), 0u) << erro;
            ASSERT_EQ(df.listaDeObjetos.size(), 1u);
            EXPECT_EQ(df.listaDeObjetos[0]->nome(), "antes");
        }
        const Window antes = w;
        try {
            w.restore(raiz(doc)->FirstChild("window"));
        } catch (const std::string&) {
            esperarMesmaCamera(w, antes);
        }
    }
    EXPECT_GT(aceitos, 0);
    EXPECT_GT(recusados, 0);
}

// ---------------------------------------------------------------------------------------------
// Restoring the camera

struct Camera {
    std::string distancia = " distancia=\"10\"";
    std::string centro = "<centro x=\"0\" y=\"0\" z=\"0\"/>";
    std::string direita = "<direita x=\"20\" y=\"0\" z=\"0\"/>";
    std::string cima = "<cima x=\"0\" y=\"20\" z=\"0\"/>";
    std::string extra;

    // <window> on line 2, centro on 3, direita on 4, cima on 5, extra on 6.
    std::string texto() const
    {
        return "<formas>\n<window" + distancia + ">\n" + centro + "\n" + direita + "\n" + cima + "\n" + extra
            + "\n</window>\n</formas>\n";
    }
};

std::vector<std::pair<Camera, std::string>> falhasDeCamera()
{
    std::vector<std::pair<Camera, std::string>> f;
    const auto com = [&f](void (*mudar)(Camera&), const std::string& mensagem) {
        Camera c;
        mudar(c);
        f.emplace_back(c, mensagem);
    };
    com([](Camera& c) { c.distancia = ""; }, "Linha 2: <window> precisa do atributo distancia.");
    com([](Camera& c) { c.distancia = " distancia=\"dez\""; },
        "Linha 2: <window> tem distancia=\"dez\", que não é um número.");
    com([](Camera& c) { c.distancia = " distancia=\"0\""; },
        "Linha 2: <window> tem distancia=\"0\", que não é positiva.");
    com([](Camera& c) { c.distancia = " distancia=\"-0\""; },
        "Linha 2: <window> tem distancia=\"-0\", que não é positiva.");
    com([](Camera& c) { c.distancia = " distancia=\"-3\""; },
        "Linha 2: <window> tem distancia=\"-3\", que não é positiva.");
    com([](Camera& c) { c.distancia = " distancia=\"inf\""; },
        "Linha 2: <window> tem distancia=\"inf\", que não é um número finito.");
    com([](Camera& c) { c.distancia = " distancia=\"1e999\""; },
        "Linha 2: <window> tem distancia=\"1e999\", que está fora do intervalo dos números representáveis.");
    com([](Camera& c) { c.centro = ""; }, "Linha 2: <window> precisa do elemento <centro>.");
    com([](Camera& c) { c.direita = ""; }, "Linha 2: <window> precisa do elemento <direita>.");
    com([](Camera& c) { c.cima = "<!-- sem cima -->"; }, "Linha 2: <window> precisa do elemento <cima>.");
    com([](Camera& c) { c.extra = "<cima x=\"0\" y=\"20\" z=\"0\"/>"; },
        "Linha 6: <cima> aparece mais de uma vez em <window>.");
    com([](Camera& c) { c.extra = "<foco x=\"0\" y=\"0\" z=\"0\"/>"; },
        "Linha 6: <foco> não pode estar dentro de <window>.");
    com([](Camera& c) { c.extra = "texto"; }, "Linha 6: <window> contém texto inesperado.");
    com([](Camera& c) { c.centro = "<centro x=\"0\" z=\"0\"/>"; }, "Linha 3: <centro> precisa do atributo y.");
    com([](Camera& c) { c.centro = "<centro x=\"nan\" y=\"0\" z=\"0\"/>"; },
        "Linha 3: <centro> tem x=\"nan\", que não é um número finito.");
    com([](Camera& c) { c.direita = "<direita x=\"2O\" y=\"0\" z=\"0\"/>"; },
        "Linha 4: <direita> tem x=\"2O\", que não é um número.");
    com([](Camera& c) { c.cima = "<cima x=\"0\" y=\"0,5\" z=\"0\"/>"; },
        "Linha 5: <cima> tem y=\"0,5\", que não é um número.");
    com([](Camera& c) { c.cima = "<cima x=\"0\" y=\"20\" z=\"0\"><x/></cima>"; },
        "Linha 5: <x> não pode estar dentro de <cima>.");
    com([](Camera& c) { c.direita = "<direita x=\"0\" y=\"-0\" z=\"0\"/>"; }, "Linha 4: <direita> é um vetor nulo.");
    com([](Camera& c) { c.cima = "<cima x=\"0\" y=\"0\" z=\"0\"/>"; }, "Linha 5: <cima> é um vetor nulo.");
    com([](Camera& c) { c.direita = "<direita x=\"1e-310\" y=\"0\" z=\"0\"/>"; }, "Linha 4: <direita> é curto demais.");
    com([](Camera& c) { c.cima = "<cima x=\"0\" y=\"1e200\" z=\"0\"/>"; }, "Linha 5: <cima> é longo demais.");
    com([](Camera& c) { c.cima = "<cima x=\"-5\" y=\"0\" z=\"0\"/>"; },
        "Linha 2: <window> tem <direita> e <cima> paralelos.");
    com([](Camera& c) { c.cima = "<cima x=\"40\" y=\"0\" z=\"0\"/>"; },
        "Linha 2: <window> tem <direita> e <cima> paralelos.");
    com([](Camera& c) { c.cima = "<cima x=\"0.001\" y=\"20\" z=\"0\"/>"; },
        "Linha 2: <window> tem <direita> e <cima> que não são perpendiculares.");
    com([](Camera& c) { c.cima = "<cima x=\"4.2e-8\" y=\"20\" z=\"0\"/>"; },
        "Linha 2: <window> tem <direita> e <cima> que não são perpendiculares.");
    com([](Camera& c) { c.distancia = " distancia=\"4e-323\""; },
        "Linha 2: <window> tem distancia=\"4e-323\", que é pequena demais: o plano próximo, a um centésimo dela, "
        "não seria um número normal.");
    com(
        [](Camera& c) {
            c.distancia = " distancia=\"1e308\"";
            c.centro = "<centro x=\"0\" y=\"0\" z=\"-1.7e308\"/>";
        },
        "Linha 2: <window> tem medidas fora do intervalo dos números representáveis.");
    return f;
}

TEST(RestaurarCamera, CadaFalhaTemSuaMensagemENadaMuda)
{
    for (const auto& [camera, mensagem] : falhasDeCamera()) {
        const std::string texto = camera.texto();
        SCOPED_TRACE(texto);
        Window w = janelaPadrao();
        w.rodar(10, 20, 30);
        w.mover(0.5, -0.25, 1);
        w.escala(1.5);
        const Window antes = w;
        auto doc = analisar(texto);
        EXPECT_EQ(falhaDe([&] { w.restore(raiz(*doc)->FirstChild("window")); }), mensagem);
        esperarMesmaCamera(w, antes);
        // The objects' reader passes over the camera, good or bad.
        DisplayFile df;
        EXPECT_NO_THROW(df.restore(raiz(*doc)));
    }
}

TEST(RestaurarCamera, NoQueNaoEElemento)
{
    auto doc = analisar("<formas>\nwindow\n</formas>");
    Window w = janelaPadrao();
    const Window antes = w;
    EXPECT_EQ(falhaDe([&] { w.restore(raiz(*doc)->FirstChild("window")); }), "Linha 2: \"window\" não é um elemento.");
    esperarMesmaCamera(w, antes);
    EXPECT_EQ(falhaDe([] { FormatoXml::lerWindow(nullptr); }), "Não há <window> para ler.");
}

TEST(RestaurarCamera, PerpendicularidadeNoLimiteEAceita)
{
    // |û·v̂| = 1e-10, within the tolerance of 1e-9.
    Camera c;
    c.cima = "<cima x=\"2e-9\" y=\"20\" z=\"0\"/>";
    auto doc = analisar(c.texto());
    const FormatoXml::EstadoDaWindow e = FormatoXml::lerWindow(raiz(*doc)->FirstChild("window"));
    EXPECT_EQ(e.cima, Vetor(2e-9, 20, 0));
    EXPECT_EQ(e.distancia, 10.0);
}

TEST(RestaurarCamera, VetoresLongosECurtosNoIntervaloSaoLidos)
{
    // |u|·|v| = 1e300: the view direction comes from the unit vectors, whose product cannot overflow.
    for (const char* comprimento : {"1e150", "1e-150"}) {
        SCOPED_TRACE(comprimento);
        Camera c;
        c.direita = std::string("<direita x=\"") + comprimento + "\" y=\"0\" z=\"0\"/>";
        c.cima = std::string("<cima x=\"0\" y=\"") + comprimento + "\" z=\"0\"/>";
        auto doc = analisar(c.texto());
        Window w = janelaPadrao();
        EXPECT_NO_THROW(w.restore(raiz(*doc)->FirstChild("window")));
        EXPECT_EQ(w.direcaoDeVisao(), Vetor(0, 0, 1));
    }
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST(Escrever, LeiauteDeCadaTipo)
{
    DisplayFile df;
    df.listaDeObjetos.push_back(new Ponto("P", Cor(255, 0, 0), Coordenada(1, 2, 0)));
    df.listaDeObjetos.push_back(
        new Poligono("t", Cor(0, 0xaa, 0), {Coordenada(0, 0, 0), Coordenada(1, 0, 0), Coordenada(0, 1, 0)}, false));
    df.listaDeObjetos.push_back(
        new Objeto3D("c", Cor(0x33, 0x33, 0x33), {Coordenada(0, 0, 0), Coordenada(0.5, 0, 0)}, {{1, 0}}));
    TiXmlElement formas("formas");
    df.persist(&formas);
    TiXmlPrinter printer;
    printer.SetStreamPrinting();
    formas.Accept(&printer);
    EXPECT_EQ(std::string(printer.CStr()),
        "<formas>"
        "<ponto nome=\"P\" cor=\"#ff0000\"><coordenada x=\"1\" y=\"2\" z=\"0\" /></ponto>"
        "<poligono nome=\"t\" cor=\"#00aa00\" preenchido=\"false\">"
        "<coordenada x=\"0\" y=\"0\" z=\"0\" /><coordenada x=\"1\" y=\"0\" z=\"0\" /><coordenada x=\"0\" y=\"1\" "
        "z=\"0\" />"
        "</poligono>"
        "<objeto3d nome=\"c\" cor=\"#333333\">"
        "<coordenada x=\"0\" y=\"0\" z=\"0\" /><coordenada x=\"0.5\" y=\"0\" z=\"0\" /><aresta origem=\"1\" "
        "destino=\"0\" />"
        "</objeto3d>"
        "</formas>");
}

// A grid as a person writes one, without the optional mesh density: rows and columns as given, the
// density at its default; written back with all three.
TEST(Escrever, GradeLidaSemMalhaEEscritaComOsTresAtributos)
{
    std::string texto = "<formas><superficiebspline nome=\"s\" cor=\"#0000ff\" linhas=\"4\" colunas=\"5\">";
    for (int i = 0; i < 20; ++i)
        texto += "<coordenada x=\"" + std::to_string(i % 5) + "\" y=\"" + std::to_string(i / 5) + "\" z=\"0.5\"/>";
    texto += "</superficiebspline></formas>";
    const DisplayFile df = carregarObjetos(texto);
    ASSERT_EQ(df.listaDeObjetos.size(), 1u);
    const auto* s = dynamic_cast<const SuperficieBSpline*>(df.listaDeObjetos[0]);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->grade().linhas, 4u);
    EXPECT_EQ(s->grade().colunas, 5u);
    EXPECT_EQ(s->grade().malha, 10);
    EXPECT_EQ(s->coordenadas()[7], Coordenada(2, 1, 0.5)) << "row by row";

    TiXmlElement formas("formas");
    df.persist(&formas);
    const TiXmlElement* e = formas.FirstChildElement("superficiebspline");
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(e->Attribute("linhas"), "4");
    EXPECT_STREQ(e->Attribute("colunas"), "5");
    EXPECT_STREQ(e->Attribute("malha"), "10");
}

TEST(Escrever, CoordenadaNaoFinitaRecusaACenaSemTocarNoDocumento)
{
    DisplayFile df;
    df.listaDeObjetos.push_back(new Ponto("bom", Cor(), Coordenada(1, 2, 3)));
    df.listaDeObjetos.push_back(new Reta("enorme", Cor(), Coordenada(1e300, 0, 0), Coordenada(0, 0, 0)));
    df.listaDeObjetos[1]->transformar(Transformacao::escala(1e10, 1, 1, 0, 0, 0));
    ASSERT_TRUE(std::isinf(df.listaDeObjetos[1]->coordenadas()[0].x()));
    TiXmlElement formas("formas");
    EXPECT_EQ(falhaDe([&] { df.persist(&formas); }),
        "O objeto \"enorme\" tem uma coordenada que não é um número finito e não pode ser salvo.");
    EXPECT_EQ(formas.FirstChild(), nullptr);
}

TEST(Escrever, EstadoDeCameraQueNaoSeLeriaNaoEEscrito)
{
    FormatoXml::EstadoDaWindow torto;
    torto.direita = Vetor(1, 0, 0);
    torto.cima = Vetor(0.1, 1, 0);
    torto.distancia = 1;
    FormatoXml::EstadoDaWindow infinito = torto;
    infinito.cima = Vetor(0, 1, 0);
    infinito.centro = Coordenada(std::numeric_limits<double>::infinity(), 0, 0);
    for (const FormatoXml::EstadoDaWindow& e : {torto, infinito}) {
        TiXmlElement window("window");
        EXPECT_FALSE(falhaDe([&] { FormatoXml::escreverWindow(&window, e); }).empty());
        EXPECT_EQ(window.FirstAttribute(), nullptr);
        EXPECT_EQ(window.FirstChild(), nullptr);
    }
}

// ---------------------------------------------------------------------------------------------
// The user's locale

// Restores the locale in force when the test started.
class NoLocale {
public:
    explicit NoLocale(const char* nome) : _anterior(std::setlocale(LC_ALL, nullptr))
    {
        _ativo = std::setlocale(LC_ALL, nome) != nullptr;
    }
    ~NoLocale() { std::setlocale(LC_ALL, _anterior.c_str()); }
    bool ativo() const { return _ativo; }

private:
    std::string _anterior;
    bool _ativo = false;
};

TEST(Locale, NumerosNaoDependemDoLocaleDoUsuario)
{
    NoLocale brasil("pt_BR.UTF-8");
    if (!brasil.ativo())
        GTEST_SKIP() << "locale pt_BR.UTF-8 ausente (localedef -i pt_BR -f UTF-8 pt_BR.UTF-8)";
    // The C library now reads "0.5" as 0: the locale the users run in is in force.
    ASSERT_EQ(std::strtod("0.5", nullptr), 0.0);

    DisplayFile df = carregarObjetos(
        "<formas><ponto nome=\"p\" cor=\"#000000\"><coordenada x=\"0.5\" y=\"-1.25\" z=\"1e-3\"/></ponto></formas>");
    ASSERT_EQ(df.listaDeObjetos.size(), 1u);
    EXPECT_EQ(df.listaDeObjetos[0]->coordenadas()[0], Coordenada(0.5, -1.25, 0.001));
    EXPECT_NE(salvar(janelaPadrao(), df).find("<coordenada x=\"0.5\" y=\"-1.25\" z=\"0.001\" />"), std::string::npos);

    auto doc = analisar(lerArquivo("cena-completa.xml"));
    Window w = janelaPadrao();
    w.restore(raiz(*doc)->FirstChild("window"));
    EXPECT_EQ(w.distanciaFocal(), 25.5);
    DisplayFile cena;
    cena.restore(raiz(*doc));
    EXPECT_EQ(salvar(w, cena), lerArquivo("cena-completa.xml"));

    Sorteio sorteio(5);
    const DisplayFile original = sorteio.cena(50);
    esperarMesmaCena(original, carregarObjetos(salvar(janelaPadrao(), original)));
}

} // namespace
