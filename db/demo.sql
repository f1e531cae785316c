-- Demonstration data, dated relative to the day it is loaded.
INSERT INTO Banco VALUES (1, 'Banco do Brasil');
INSERT INTO Banco VALUES (2, 'Caixa Econômica Federal');
INSERT INTO Agencia VALUES (1, 1);
INSERT INTO Agencia VALUES (2, 2);
INSERT INTO ContaMovimento VALUES (1, 1, '12345-6');
INSERT INTO ContaMovimento VALUES (2, 2, '98765-0');
INSERT INTO ContaGrupo VALUES (1, 'Vendas');
INSERT INTO ContaGrupo VALUES (2, 'Despesas fixas');
INSERT INTO CONTATIPO VALUES (1, 'Boleto');
INSERT INTO CONTATIPO VALUES (2, 'Duplicata');
INSERT INTO Comanda VALUES (1, 17);

INSERT INTO Cliente VALUES (1, 'João da Silva');
INSERT INTO Cliente VALUES (2, 'Maria Conceição Araújo');
INSERT INTO Cliente VALUES (3, 'Padaria São Jorge Ltda');
INSERT INTO Cliente VALUES (4, 'Açougue Irmãos Müller');

INSERT INTO Fornecedor VALUES (1, 'Distribuidora Paraná Ltda');
INSERT INTO Fornecedor VALUES (2, 'Gráfica Avenida');

INSERT INTO PlanoConta VALUES (1, 'Energia elétrica');
INSERT INTO PlanoConta VALUES (2, 'Manutenção predial');
INSERT INTO PlanoConta VALUES (3, 'Aluguel');

-- Receivables
INSERT INTO Conta VALUES (1, 'R', 1, NULL, NULL, 1, 1, 1, 'Venda balcão', 3, 101, NULL);
INSERT INTO Conta VALUES (2, 'R', 2, NULL, NULL, NULL, 1, 2, 'Pedido 4471', 2, 102, NULL);
INSERT INTO Conta VALUES (3, 'R', 3, NULL, NULL, NULL, 1, 2, '   ', 1, 103, NULL);
INSERT INTO Conta VALUES (4, 'R', 4, NULL, NULL, NULL, 1, 1, 'Pedido 4502', 2, 104, NULL);

INSERT INTO ContaDet VALUES (1001, 1, CURRENT_DATE, CURRENT_DATE - 30, 'NF 101', NULL, 1, 350.00, 0, 1, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (1002, 2, CURRENT_DATE, CURRENT_DATE - 20, 'NF 102', NULL, 1, 1250.90, 0, 1, 'N', 'N', 'S', 'N');
INSERT INTO ContaDet VALUES (1003, 3, CURRENT_DATE, CURRENT_DATE - 10, 'NF 103', NULL, 1, 89.55, 0, NULL, 'N', 'N', NULL, 'N');
INSERT INTO ContaDet VALUES (1004, 4, CURRENT_DATE, CURRENT_DATE - 5, 'NF 104', NULL, 1, 4300.00, 0, 2, 'N', 'N', 'N', 'N');
-- not in the notice's grids: due yesterday (in the overdue line and window), due tomorrow, paid, cancelled
INSERT INTO ContaDet VALUES (1005, 1, CURRENT_DATE - 1, CURRENT_DATE - 30, 'NF 101', NULL, 2, 350.00, 0, 1, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (1006, 1, CURRENT_DATE + 1, CURRENT_DATE - 30, 'NF 101', NULL, 3, 350.00, 0, 1, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (1007, 2, CURRENT_DATE, CURRENT_DATE - 20, 'NF 102', NULL, 2, 1250.90, 1250.90, 1, 'S', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (1008, 4, CURRENT_DATE, CURRENT_DATE - 5, 'NF 104', NULL, 2, 4300.00, 0, 2, 'N', 'S', 'N', 'N');

-- Payables: two from suppliers, two from the chart of accounts
INSERT INTO Conta VALUES (11, 'P', NULL, 1, NULL, NULL, 2, 2, 'Compra de mercadorias', 4, NULL, 5001);
INSERT INTO Conta VALUES (12, 'P', NULL, 2, NULL, NULL, 2, 1, 'Impressos', 1, NULL, 5002);
INSERT INTO Conta VALUES (13, 'P', NULL, NULL, 1, NULL, 2, 1, 'Conta de dezembro', 1, NULL, NULL);
INSERT INTO Conta VALUES (14, 'P', NULL, NULL, 2, NULL, 2, 1, 'Troca de telhas', 1, NULL, NULL);

INSERT INTO ContaDet VALUES (2001, 11, CURRENT_DATE, CURRENT_DATE - 25, 'NFE 5001', NULL, 2, 2780.40, 0, 1, 'N', 'N', 'S', 'S');
INSERT INTO ContaDet VALUES (2002, 12, CURRENT_DATE, CURRENT_DATE - 12, 'NFE 5002', NULL, 1, 415.00, 0, 2, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (2003, 13, CURRENT_DATE, CURRENT_DATE - 3, NULL, NULL, 1, 612.37, 0, 1, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (2004, 14, CURRENT_DATE, CURRENT_DATE - 8, NULL, NULL, 1, 1800.00, 0, 1, 'N', 'N', 'N', 'N');
-- not in the notice's grids: due yesterday (in the overdue line and window), paid
INSERT INTO ContaDet VALUES (2005, 11, CURRENT_DATE - 1, CURRENT_DATE - 25, 'NFE 5001', NULL, 1, 2780.40, 0, 1, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (2006, 13, CURRENT_DATE, CURRENT_DATE - 3, NULL, NULL, 2, 99.90, 99.90, 1, 'S', 'N', 'N', 'N');
-- the coming days ("Próximos dias")
INSERT INTO ContaDet VALUES (1009, 2, CURRENT_DATE + 2, CURRENT_DATE - 20, 'NF 102', NULL, 3, 1250.90, 0, 1, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (1010, 4, CURRENT_DATE + 5, CURRENT_DATE - 5, 'NF 104', NULL, 3, 4300.00, 0, 2, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (2007, 11, CURRENT_DATE + 1, CURRENT_DATE - 25, 'NFE 5001', NULL, 3, 2780.40, 0, 1, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (2008, 14, CURRENT_DATE + 3, CURRENT_DATE - 8, NULL, NULL, 2, 1800.00, 0, 1, 'N', 'N', 'N', 'N');
INSERT INTO ContaDet VALUES (2009, 12, CURRENT_DATE + 5, CURRENT_DATE - 12, 'NFE 5002', NULL, 2, 415.00, 0, 2, 'N', 'N', 'N', 'N');

COMMIT;
