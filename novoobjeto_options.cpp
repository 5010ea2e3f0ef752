#include "novoobjeto_options.h"

#include <algorithm>
#include <memory>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "campodenumero.h"
#include "cor.h"
#include "formatoxml.h"

namespace {

// The value of a descriptor of the kind the editor was made for.
template <typename TypeDe>
auto& valorDe(FabricaDeObjeto::Type* gerenciado)
{
    return static_cast<TypeDe*>(gerenciado)->valor;
}

// The frame both list editors share: "+" and "-" side by side above a scroll area whose container
// carries the rows. The container is not resized by the scroll area; its layout alone sizes it.
QVBoxLayout* montarLista(QWidget* editor, QPushButton*& add, QPushButton*& remove, QScrollArea*& area,
                         QWidget*& container)
{
    auto* grade = new QGridLayout(editor);
    add = new QPushButton(QStringLiteral("+"));
    remove = new QPushButton(QStringLiteral("-"));
    grade->addWidget(add, 0, 0);
    grade->addWidget(remove, 0, 1);

    area = new QScrollArea;
    container = new QWidget;
    auto* linhas = new QVBoxLayout(container);
    linhas->setSizeConstraint(QLayout::SetMinimumSize);
    container->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    area->setWidget(container);

    remove->setEnabled(false);
    grade->addWidget(area, 1, 0, 1, 2);
    return linhas;
}

// Sizes the container to exactly what its rows need, smaller as well as larger. Its layout only ever
// raises the container's minimum and grows it to fit; it never shrinks it when a row goes (a
// collapsed geometry is clamped back to the old minimum), so the layout is settled first.
void ajustarAoConteudo(QWidget* container)
{
    container->layout()->activate();
    container->resize(container->minimumSize());
}

// Takes the last row (or cell) out of the layout and frees it; the caller checked that there is one.
void descartarUltimaLinha(QLayout* linhas)
{
    std::unique_ptr<QLayoutItem> item(linhas->takeAt(linhas->count() - 1));
    delete item->widget();
}

} // namespace

// --- single values ---------------------------------------------------------------------------

StringOption::StringOption(FabricaDeObjeto::Type* gerenciado) : QLineEdit(nullptr), _gerenciado(gerenciado)
{
    connect(this, &QLineEdit::textChanged, this, qOverload<const QString&>(&StringOption::valueChanged));
}

void StringOption::valueChanged(const QString& nova)
{
    // What XML cannot hold (a pasted control character) is dropped: the name must be saved.
    QString aceita;
    aceita.reserve(nova.size());
    for (const char32_t c : nova.toUcs4())
        if (FormatoXml::caractereXml(c))
            aceita += QString::fromUcs4(&c, 1);
    if (aceita != nova) {
        const int cursor = std::max(0, cursorPosition() - static_cast<int>(nova.size() - aceita.size()));
        setText(aceita); // back here with the accepted text
        setCursorPosition(cursor);
        return;
    }
    valorDe<FabricaDeObjeto::TypeString>(_gerenciado) = nova.toStdString();
    emit valueChanged();
}

void StringOption::mostrar(const ValoresDeObjeto& valores)
{
    setText(QString::fromStdString(valores.nome));
}

BooleanOption::BooleanOption(FabricaDeObjeto::Type* gerenciado) : QCheckBox(nullptr), _gerenciado(gerenciado)
{
    connect(this, &QCheckBox::toggled, this, qOverload<bool>(&BooleanOption::valueChanged));
}

void BooleanOption::valueChanged(bool newValue)
{
    valorDe<FabricaDeObjeto::TypeBool>(_gerenciado) = newValue;
    emit valueChanged();
}

void BooleanOption::mostrar(const ValoresDeObjeto& valores)
{
    setChecked(valores.preenchido);
}

ColorOption::ColorOption(FabricaDeObjeto::Type* gerenciado) : QColorWidget(nullptr), _gerenciado(gerenciado)
{
    connect(this, &QColorWidget::colorChanged, this, qOverload<const QColor&>(&ColorOption::valueChanged));
}

void ColorOption::valueChanged(const QColor& nova)
{
    valorDe<FabricaDeObjeto::TypeCor>(_gerenciado) = Cor(nova);
    emit valueChanged();
}

void ColorOption::mostrar(const ValoresDeObjeto& valores)
{
    setColor(valores.cor.qcolor());
}

// --- coordinate lists --------------------------------------------------------------------------

CoordenadaOption::CoordenadaOption(int pos, const QString& rotulo)
    : QWidget(nullptr), _pos(pos),
      _nome(rotulo.isEmpty() ? QString::number(pos) : QStringLiteral("(") + rotulo + QStringLiteral(")"))
{
    spinX = new CampoDeNumero;
    spinY = new CampoDeNumero;
    spinZ = new CampoDeNumero;
    auto* linha = new QHBoxLayout(this);
    linha->addWidget(new QLabel((rotulo.isEmpty() ? QString::number(_pos) : rotulo) + QStringLiteral(": ")));
    for (CampoDeNumero* campo : {spinX, spinY, spinZ}) {
        connect(campo, &CampoDeNumero::valorAlterado, this, qOverload<>(&CoordenadaOption::coordenadaChanged));
        linha->addWidget(campo);
    }
}

void CoordenadaOption::mostrar(const Coordenada& c)
{
    spinX->definirValor(c.x());
    spinY->definirValor(c.y());
    spinZ->definirValor(c.z());
}

QString CoordenadaOption::problema() const
{
    const std::pair<const CampoDeNumero*, const char*> campos[] = {{spinX, "x"}, {spinY, "y"}, {spinZ, "z"}};
    for (const auto& [campo, eixo] : campos)
        if (!campo->problema().isEmpty())
            return QStringLiteral("Coordenada %1, %2: %3.").arg(_nome, QLatin1String(eixo), campo->problema());
    return {};
}

void CoordenadaOption::coordenadaChanged()
{
    emit coordenadaChanged(spinX->valor(), spinY->valor(), spinZ->valor(), _pos);
}

CoordenadasOption::CoordenadasOption(FabricaDeObjeto::Type* gerenciado) : QWidget(nullptr), _gerenciado(gerenciado)
{
    _points = montarLista(this, add, remove, pointsScrollArea, container);
    connect(add, &QPushButton::released, this, &CoordenadasOption::addCoordenada);
    connect(remove, &QPushButton::released, this, &CoordenadasOption::removeCoordenada);
}

void CoordenadasOption::addCoordenada()
{
    const int pos = _points->count();
    auto* linha = new CoordenadaOption(pos);
    connect(linha, qOverload<double, double, double, int>(&CoordenadaOption::coordenadaChanged), this,
            &CoordenadasOption::coordenadaChanged);
    auto& lista = valorDe<FabricaDeObjeto::TypeCoordenadas>(_gerenciado);
    lista.push_back(Coordenada(0, 0, 0));
    const int suficiente = _gerenciado->quantidadeSuficiente();

    _points->addWidget(linha);
    ajustarAoConteudo(container);
    remove->setEnabled(_points->count() > 0);
    add->setEnabled(suficiente <= 0);
    emit valueChanged();
}

void CoordenadasOption::removeCoordenada()
{
    if (_points->count() == 0)
        return;
    auto& lista = valorDe<FabricaDeObjeto::TypeCoordenadas>(_gerenciado);
    if (!lista.empty())
        lista.pop_back();

    descartarUltimaLinha(_points);
    ajustarAoConteudo(container);

    const int suficiente = _gerenciado->quantidadeSuficiente();
    remove->setEnabled(_points->count() > 0);
    add->setEnabled(suficiente <= 0);
    emit valueChanged();
}

void CoordenadasOption::coordenadaChanged(double x, double y, double z, int pos)
{
    // Rows and items match one to one; a list that someone else emptied is left alone.
    auto& lista = valorDe<FabricaDeObjeto::TypeCoordenadas>(_gerenciado);
    if (pos >= 0 && static_cast<std::size_t>(pos) < lista.size())
        lista[static_cast<std::size_t>(pos)] = Coordenada(x, y, z);
    emit valueChanged();
}

QString CoordenadasOption::problema() const
{
    for (int i = 0; i < _points->count(); ++i) {
        const QString desta = static_cast<const CoordenadaOption*>(_points->itemAt(i)->widget())->problema();
        if (!desta.isEmpty())
            return desta;
    }
    return {};
}

void CoordenadasOption::mostrar(const std::vector<Coordenada>& coordenadas)
{
    while (_points->count() > 0)
        removeCoordenada();
    for (const Coordenada& c : coordenadas) {
        addCoordenada();
        static_cast<CoordenadaOption*>(_points->itemAt(_points->count() - 1)->widget())->mostrar(c);
    }
    valorDe<FabricaDeObjeto::TypeCoordenadas>(_gerenciado) = coordenadas;
    add->setEnabled(_gerenciado->quantidadeSuficiente() <= 0);
    emit valueChanged();
}

// --- grids of coordinates ----------------------------------------------------------------------

GradeOption::GradeOption(FabricaDeObjeto::Type* gerenciado) : QWidget(nullptr), _gerenciado(gerenciado)
{
    const Grade& grade = valorDe<FabricaDeObjeto::TypeGrade>(_gerenciado).grade;
    auto* tamanho = new QHBoxLayout;
    const auto campo = [tamanho](const char* nome, const QString& rotulo, int minimo, int maximo, int valor) {
        auto* spin = new QSpinBox;
        spin->setObjectName(QLatin1String(nome));
        spin->setRange(minimo, std::max(maximo, valor));
        spin->setValue(valor);
        tamanho->addWidget(new QLabel(rotulo));
        tamanho->addWidget(spin);
        return spin;
    };
    // A grid of 100 × 100 is already 30,000 fields.
    _linhas = campo("linhas", tr("Linhas:"), 1, 99, static_cast<int>(grade.linhas));
    _colunas = campo("colunas", tr("Colunas:"), 1, 99, static_cast<int>(grade.colunas));
    _malha = campo("malha", tr("Malha:"), malhaMinima, malhaMaxima, grade.malha);
    tamanho->addStretch();

    auto* area = new QScrollArea;
    container = new QWidget;
    _pontos = new QGridLayout(container);
    _pontos->setSizeConstraint(QLayout::SetMinimumSize);
    container->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    area->setWidget(container);
    auto* coluna = new QVBoxLayout(this);
    coluna->addLayout(tamanho);
    coluna->addWidget(area);

    const std::vector<Coordenada>& pontos = valorDe<FabricaDeObjeto::TypeGrade>(_gerenciado).coordenadas;
    for (std::size_t i = 0; i < pontos.size() && grade.colunas > 0; ++i)
        _digitadas[{static_cast<int>(i / grade.colunas), static_cast<int>(i % grade.colunas)}] = pontos[i];
    montar();
    connect(_linhas, &QSpinBox::valueChanged, this, &GradeOption::tamanhoChanged);
    connect(_colunas, &QSpinBox::valueChanged, this, &GradeOption::tamanhoChanged);
    connect(_malha, &QSpinBox::valueChanged, this, &GradeOption::malhaChanged);
}

void GradeOption::montar()
{
    while (_pontos->count() > 0)
        descartarUltimaLinha(_pontos);
    const int linhas = _linhas->value();
    const int colunas = _colunas->value();
    auto& valor = valorDe<FabricaDeObjeto::TypeGrade>(_gerenciado);
    valor.grade.linhas = static_cast<std::size_t>(linhas);
    valor.grade.colunas = static_cast<std::size_t>(colunas);
    valor.coordenadas.clear();
    for (int a = 0; a < linhas; ++a) {
        for (int b = 0; b < colunas; ++b) {
            const auto digitada = _digitadas.find({a, b});
            const Coordenada c = digitada != _digitadas.end() ? digitada->second : Coordenada(0, 0, 0);
            auto* ponto = new CoordenadaOption(a * colunas + b, QStringLiteral("%1, %2").arg(a).arg(b));
            // Shown before it is connected: the fields round, and a point left alone keeps its value.
            ponto->mostrar(c);
            connect(ponto, qOverload<double, double, double, int>(&CoordenadaOption::coordenadaChanged), this,
                    &GradeOption::coordenadaChanged);
            _pontos->addWidget(ponto, a, b);
            valor.coordenadas.push_back(c);
        }
    }
    ajustarAoConteudo(container);
}

void GradeOption::tamanhoChanged()
{
    montar();
    emit valueChanged();
}

void GradeOption::malhaChanged(int malha)
{
    valorDe<FabricaDeObjeto::TypeGrade>(_gerenciado).grade.malha = malha;
    emit valueChanged();
}

void GradeOption::coordenadaChanged(double x, double y, double z, int pos)
{
    auto& valor = valorDe<FabricaDeObjeto::TypeGrade>(_gerenciado);
    if (pos < 0 || static_cast<std::size_t>(pos) >= valor.coordenadas.size())
        return;
    const int colunas = _colunas->value();
    valor.coordenadas[static_cast<std::size_t>(pos)] = Coordenada(x, y, z);
    _digitadas[{pos / colunas, pos % colunas}] = Coordenada(x, y, z);
    emit valueChanged();
}

QString GradeOption::problema() const
{
    for (int i = 0; i < _pontos->count(); ++i)
        if (const auto* ponto = qobject_cast<const CoordenadaOption*>(_pontos->itemAt(i)->widget()))
            if (const QString deste = ponto->problema(); !deste.isEmpty())
                return deste;
    return {};
}

void GradeOption::mostrar(const ValoresDeObjeto& valores)
{
    const Grade& grade = valores.grade;
    _digitadas.clear();
    for (std::size_t i = 0; i < valores.coordenadas.size() && grade.colunas > 0; ++i)
        _digitadas[{static_cast<int>(i / grade.colunas), static_cast<int>(i % grade.colunas)}] = valores.coordenadas[i];
    const QSignalBlocker semLinhas(_linhas), semColunas(_colunas), semMalha(_malha);
    for (auto [spin, valor] : {std::pair{_linhas, static_cast<int>(grade.linhas)},
                               std::pair{_colunas, static_cast<int>(grade.colunas)}, std::pair{_malha, grade.malha}}) {
        spin->setMaximum(std::max(spin->maximum(), valor));
        spin->setValue(valor);
    }
    valorDe<FabricaDeObjeto::TypeGrade>(_gerenciado).grade.malha = _malha->value();
    montar();
    emit valueChanged();
}

// --- integer-pair lists ------------------------------------------------------------------------

IntIntOption::IntIntOption(int pos) : QWidget(nullptr), _pos(pos)
{
    origin = new QSpinBox;
    dest = new QSpinBox;
    auto* linha = new QHBoxLayout(this);
    for (QSpinBox* spin : {origin, dest}) {
        spin->setRange(0, 99999);
        connect(spin, &QSpinBox::valueChanged, this, qOverload<>(&IntIntOption::intIntChanged));
        linha->addWidget(spin);
    }
}

void IntIntOption::mostrar(int i, int j)
{
    origin->setValue(i);
    dest->setValue(j);
}

void IntIntOption::intIntChanged()
{
    emit intIntChanged(origin->value(), dest->value(), _pos);
}

IntIntsOption::IntIntsOption(FabricaDeObjeto::Type* gerenciado) : QWidget(nullptr), _gerenciado(gerenciado)
{
    _intInts = montarLista(this, add, remove, intIntsScrollArea, container);
    connect(add, &QPushButton::released, this, &IntIntsOption::addIntInt);
    connect(remove, &QPushButton::released, this, &IntIntsOption::removeIntInt);
}

void IntIntsOption::addIntInt()
{
    const int pos = _intInts->count();
    auto* linha = new IntIntOption(pos);
    connect(linha, qOverload<int, int, int>(&IntIntOption::intIntChanged), this, &IntIntsOption::intIntChanged);
    valorDe<FabricaDeObjeto::TypeIntInts>(_gerenciado).emplace_back(0, 0);

    _intInts->addWidget(linha);
    ajustarAoConteudo(container);
    remove->setEnabled(_intInts->count() > 0);
    emit valueChanged();
}

void IntIntsOption::removeIntInt()
{
    if (_intInts->count() == 0)
        return;
    auto& lista = valorDe<FabricaDeObjeto::TypeIntInts>(_gerenciado);
    if (!lista.empty())
        lista.pop_back();

    descartarUltimaLinha(_intInts);
    ajustarAoConteudo(container);

    remove->setEnabled(_intInts->count() > 0);
    emit valueChanged();
}

void IntIntsOption::intIntChanged(int origin, int dest, int pos)
{
    auto& lista = valorDe<FabricaDeObjeto::TypeIntInts>(_gerenciado);
    if (pos >= 0 && static_cast<std::size_t>(pos) < lista.size())
        lista[static_cast<std::size_t>(pos)] = {origin, dest};
    emit valueChanged();
}

void IntIntsOption::mostrar(const std::vector<std::pair<int, int>>& pares)
{
    while (_intInts->count() > 0)
        removeIntInt();
    for (const auto& [i, j] : pares) {
        addIntInt();
        static_cast<IntIntOption*>(_intInts->itemAt(_intInts->count() - 1)->widget())->mostrar(i, j);
    }
}
