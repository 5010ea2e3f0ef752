#ifndef RECUPERACAO_H
#define RECUPERACAO_H

#include <memory>
#include <thread>

#include <QObject>
#include <QString>
#include <QTimer>

class DocumentoDeCena;
class QLockFile;
class QWidget;

// No work lost to a crash. While the document has unsaved changes, a copy of its scene (a scene file
// as the save command writes it, plus the file it belongs to and the time of the copy) is kept in
// the user's application data folder, begun at most `atraso` ms after a change (later changes do
// not put it off) and written on a thread of its own, atomically, as a save is. A save, an undo back
// to the saved scene, "Descartar" and a clean exit remove it.
//
// Each document has a copy of its own, named after its process, beside a lock file that tells the
// others the process still runs. A copy whose lock is stale (its process died) is an orphan: the
// next window offers the newest one back, one per start; the others wait for later starts.
class Recuperacao : public QObject {
    Q_OBJECT

public:
    static constexpr int atraso = 2000;

    // pasta: where the copies are kept; empty for the application data folder.
    explicit Recuperacao(DocumentoDeCena& documento, QObject* parent = nullptr, const QString& pasta = QString());
    // A clean exit: this document's copy goes.
    ~Recuperacao() override;

    QString pasta() const { return _pasta; }
    // This document's copy; empty until the first one is written.
    QString copia() const;
    // Writes the copy now, and waits for it, if the scene has unsaved changes.
    void salvarCopia();
    // The user discarded the changes, and the process may end before this object does.
    void descartarCopia();

    // Asks the user of janela, in a box that does not wait for the answer, whether to recover the
    // newest orphan: "Recuperar" puts its scene in the document as unsaved, with nothing to undo;
    // "Descartar" removes it. Orphans that cannot be read are set aside and reported first.
    void oferecer(QWidget* janela);

signals:
    // A copy could not be written; said once until one is written again.
    void falhou(const QString& mensagem);

private:
    struct Orfa;

    void agendar();
    // Writes the copy on a thread of its own, from a copy of the scene.
    void salvarAoFundo();
    // After a write, on this thread: erro is its fault, or empty.
    void concluir(const QString& erro);
    void esperarEscritor();
    void removerCopia();
    // Chooses this document's name and takes its lock, once; false after saying why not.
    bool travar();
    void falhar(const QString& motivo);
    // The newest orphan that can be read, locked; the ones that cannot go aside, noted in ilegiveis.
    std::unique_ptr<Orfa> procurarOrfa(QStringList& ilegiveis) const;
    // Moves an unreadable copy out of the way; what to tell the user.
    static QString porDeLado(const QString& caminho, const QString& erro);
    void perguntar(QWidget* janela);
    void recuperar();

    DocumentoDeCena& _documento;
    QString _pasta;
    // Recovery copy and lock file names without their suffixes; empty until travar().
    QString _nome;
    std::unique_ptr<QLockFile> _trava;
    // Not restarted by later changes, so that a burst of them cannot postpone the copy.
    QTimer _relogio;
    bool _falhando = false;
    // The copy being written; joined before the copy is removed and before this object goes.
    std::thread _escritor;
    // The scene changed while it was being written.
    bool _deNovo = false;
    // The orphan being offered, whose lock is held until the user answers.
    std::unique_ptr<Orfa> _orfa;
};

#endif
