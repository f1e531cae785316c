#pragma once
// Word lists for the benchmark database: Brazilian names with their accents.
namespace nomes {

inline const char *const Prenomes[] = {
    "João", "José", "Antônio", "Sebastião", "Luís", "Márcio", "Vinícius", "Sérgio", "Cícero", "Inácio",
    "Estêvão", "Caio", "Rogério", "Fábio", "Flávio", "Otávio", "Túlio", "Ângelo", "Júlio", "Mário",
    "Maria", "Conceição", "Ana", "Lúcia", "Márcia", "Cláudia", "Sônia", "Fátima", "Letícia", "Patrícia",
    "Vitória", "Luíza", "Bárbara", "Cecília", "Débora", "Glória", "Helena", "Inês", "Joana", "Mônica",
};

inline const char *const Sobrenomes[] = {
    "Araújo", "Gonçalves", "Magalhães", "Simões", "Conceição", "Assunção", "Guimarães", "Brandão", "Falcão",
    "Galvão", "Romão", "Sá", "Leão", "Patrício", "Estêvão", "Müller", "Nóbrega", "Tavares", "Ribeiro",
    "Vieira", "Fernandes", "Pereira", "Carvalho", "Gomes", "Lopes", "Rodrigues", "Silva", "Souza", "Santos",
    "Oliveira", "Lima", "Barbosa", "Cardoso", "Teixeira", "Monteiro", "Peçanha", "Correia", "Antunes",
};

inline const char *const RamosFornecedor[] = {
    "Distribuidora", "Comércio de Alimentos", "Indústria Têxtil", "Papelaria", "Transportes", "Construções",
    "Serviços Elétricos", "Gráfica", "Laticínios", "Importação e Exportação", "Materiais de Construção",
    "Farmácia", "Informática", "Açougue", "Padaria e Confeitaria", "Móveis", "Autopeças", "Cerâmica",
};

inline const char *const FormasJuridicas[] = {"Ltda", "ME", "EIRELI", "S.A.", "Ltda.", "& Cia"};

inline const char *const ContasDoPlano[] = {
    "Aluguel", "Energia Elétrica", "Água e Esgoto", "Telefone e Internet", "Salários", "Pró-labore",
    "Férias", "13º Salário", "INSS", "FGTS", "Impostos Municipais", "ICMS", "Simples Nacional",
    "Manutenção de Veículos", "Combustível", "Material de Escritório", "Material de Limpeza",
    "Publicidade e Propaganda", "Honorários Contábeis", "Seguros", "Tarifas Bancárias", "Juros Pagos",
    "Fretes e Carretos", "Manutenção Predial", "Equipamentos de Informática", "Licenças de Software",
    "Uniformes", "Vale-transporte", "Vale-refeição", "Plano de Saúde", "Segurança e Vigilância",
    "Condomínio", "Cartório e Taxas", "Doações", "Treinamento", "Viagens e Estadias",
    "Refeições e Lanches", "Correios", "Embalagens", "Comissões sobre Vendas",
};

inline const char *const Estabelecimentos[] = {"Matriz", "Filial Centro", "Filial São José", "Depósito", "Loja Paraná"};

inline const char *const Bancos[] = {
    "Banco do Brasil", "Caixa Econômica Federal", "Itaú Unibanco", "Bradesco", "Santander", "Sicredi",
    "Sicoob", "Banrisul", "Banco do Nordeste", "Inter", "Nu Pagamentos", "Safra",
};

inline const char *const Grupos[] = {
    "Vendas à Vista", "Vendas a Prazo", "Serviços", "Locação", "Fornecedores", "Despesas Fixas",
    "Despesas Variáveis", "Impostos", "Folha de Pagamento", "Investimentos", "Empréstimos", "Comissões",
    "Manutenção", "Marketing", "Logística", "Tecnologia", "Jurídico", "Diversos", "Importação", "Exportação",
};

inline const char *const Tipos[] = {"Duplicata", "Boleto", "Cheque", "Cartão de Crédito", "Carnê", "Pix", "Promissória", "Depósito"};

inline const char *const Historicos[] = {
    "Venda nº %1", "Nota fiscal %1 - mercadorias", "Serviço de manutenção %1", "Pedido %1",
    "Locação de equipamento - contrato %1", "Compra de matéria-prima %1", "Prestação de serviços nº %1",
    "Orçamento aprovado %1", "Reposição de estoque %1", "Contrato de manutenção %1",
};

template <typename T, int N>
constexpr int tamanho(T (&)[N]) { return N; }

} // namespace nomes
