-- Tables of the sales system that the due-accounts notice reads.
-- Portable SQL: runs unchanged on Firebird 3 (isql-fb) and PostgreSQL 15 (psql).
-- The Firebird database itself is created with DEFAULT CHARACTER SET WIN1252.

CREATE TABLE Cliente (
    IDCliente     INTEGER NOT NULL PRIMARY KEY,
    Cliente       VARCHAR(100)
);

CREATE TABLE Fornecedor (
    idFornecedor  INTEGER NOT NULL PRIMARY KEY,
    NomeRazao     VARCHAR(100)
);

CREATE TABLE PlanoConta (
    idConta       INTEGER NOT NULL PRIMARY KEY,
    Conta         VARCHAR(100)
);

CREATE TABLE Comanda (
    idComanda     INTEGER NOT NULL PRIMARY KEY,
    ComandaDia    INTEGER
);

CREATE TABLE Banco (
    idBanco       INTEGER NOT NULL PRIMARY KEY,
    Nome          VARCHAR(60)
);

CREATE TABLE Agencia (
    idAgencia     INTEGER NOT NULL PRIMARY KEY,
    idBanco       INTEGER REFERENCES Banco (idBanco)
);

CREATE TABLE ContaMovimento (
    idContaMov    INTEGER NOT NULL PRIMARY KEY,
    idAgencia     INTEGER REFERENCES Agencia (idAgencia),
    NumContaCor   VARCHAR(20)
);

CREATE TABLE ContaGrupo (
    idContaGrupo  INTEGER NOT NULL PRIMARY KEY,
    Grupo         VARCHAR(60)
);

CREATE TABLE CONTATIPO (
    IDCONTATIPO   INTEGER NOT NULL PRIMARY KEY,
    TIPO          VARCHAR(30)
);

-- Account header: PR is 'R' for a receivable, 'P' for a payable.
CREATE TABLE Conta (
    CodConta      INTEGER NOT NULL PRIMARY KEY,
    PR            CHAR(1) NOT NULL,
    IDCliente     INTEGER REFERENCES Cliente (IDCliente),
    idFornecedor  INTEGER REFERENCES Fornecedor (idFornecedor),
    idPlano       INTEGER REFERENCES PlanoConta (idConta),
    idComanda     INTEGER REFERENCES Comanda (idComanda),
    idContaGrupo  INTEGER REFERENCES ContaGrupo (idContaGrupo),
    IDCONTATIPO   INTEGER REFERENCES CONTATIPO (IDCONTATIPO),
    Descricao     VARCHAR(100),
    QTPARCELA     INTEGER,
    IDNFSAIDA     INTEGER,
    idNFEntrada   INTEGER
);

-- Instalments: Paga and Cancelada are 'N' while open; Provisionado 'S' when provisioned.
CREATE TABLE ContaDet (
    CodContaDet   INTEGER NOT NULL PRIMARY KEY,
    CodConta      INTEGER NOT NULL REFERENCES Conta (CodConta),
    DataVcto      DATE,
    DataEmissao   DATE,
    Documento     VARCHAR(20),
    Documento2    VARCHAR(20),
    Parcela       INTEGER,
    ValorParcela  NUMERIC(15,2),
    ValorPago     NUMERIC(15,2),
    idContaMov    INTEGER REFERENCES ContaMovimento (idContaMov),
    Paga          CHAR(1) DEFAULT 'N' NOT NULL,
    Cancelada     CHAR(1) DEFAULT 'N' NOT NULL,
    Provisionado  CHAR(1),
    PROVPAGAR     CHAR(1)
);

CREATE INDEX IX_ContaDet_DataVcto ON ContaDet (DataVcto);
