#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// What orvo.ini says: the data folder, the database kind ("FIRE", "SQL" or
// "Acess"), the provider override flag ("S" replaces every connection
// string by the ibole provider string) and the site's own Firebird login
// ("Usuario=" / "Senha=" lines; empty when the file has none).
struct Configuracao {
    QString pastaDados;
    QString tipoBanco = QStringLiteral("FIRE");
    QString sinalizadorProvedor;
    QString usuario;
    QString senha;
};

// Splits the file into lines. The text is UTF-16 when it starts with its
// byte-order mark, UTF-8 when it is valid UTF-8, otherwise Windows-1252;
// lines end with CR LF or LF.
QStringList linhasDoArquivo(const QByteArray &conteudo);

// Applies the rules of the file to its lines, every line examined for every role.
Configuracao interpretaConfiguracao(const QStringList &linhas);

// The connection string of the configured kind and provider.
QString montaStringConexao(const Configuracao &configuracao);

// The connection string reaches a Firebird database (the site's login applies).
bool conexaoFirebird(const Configuracao &configuracao);
