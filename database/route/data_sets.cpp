#include "database/route/data_sets.h"

namespace route::data_sets {
namespace {

FieldDefinition Text(const char* name, std::size_t size) {
  FieldDefinition field;
  field.name = name;
  field.type = FieldType::text;
  field.size = size;
  return field;
}

FieldDefinition Whole(const char* name) {
  FieldDefinition field;
  field.name = name;
  field.type = FieldType::whole_number;
  return field;
}

FieldDefinition AutoNumber(const char* name) {
  FieldDefinition field;
  field.name = name;
  field.type = FieldType::auto_number;
  field.visible = false;
  return field;
}

FieldDefinition Width(FieldDefinition field, std::size_t width) {
  field.display_width = width;
  return field;
}

FieldDefinition Centred(FieldDefinition field, std::size_t width = 0) {
  field.alignment = Alignment::centre;
  if (width != 0) field.display_width = width;
  return field;
}

FieldDefinition Labelled(FieldDefinition field, const char* label, std::size_t width = 0) {
  field.label = label;
  if (width != 0) field.display_width = width;
  return field;
}

FieldDefinition Hidden(FieldDefinition field) {
  field.visible = false;
  return field;
}

FieldDefinition ReadOnly(FieldDefinition field) {
  field.read_only = true;
  return field;
}

}  // namespace

const DataSetDefinition& tab_Voos() {
  static const DataSetDefinition definition = [] {
    DataSetDefinition d;
    d.name = "tab_Voos";
    d.table = "VOOS";
    return d;
  }();
  return definition;
}

const DataSetDefinition& qryORIGEM() {
  static const DataSetDefinition definition = [] {
    DataSetDefinition d;
    d.name = "qryORIGEM";
    d.statement = StoredStatement{{"SELECT DISTINCT ORIGEM", "FROM VOOS", "ORDER BY ORIGEM;"}};
    d.read_only = true;
    return d;
  }();
  return definition;
}

const DataSetDefinition& qryDESTINO() {
  static const DataSetDefinition definition = [] {
    DataSetDefinition d;
    d.name = "qryDESTINO";
    d.statement = StoredStatement{{"SELECT DISTINCT VOOS.COD_VOOS, VOOS.ORIGEM, VOOS.SPEED, ",
                                   "VOOS.FL, VOOS.ROTA, VOOS.DEST, VOOS.DISTANCIA, VOOS.ATIS ",
                                   "FROM VOOS WHERE (((VOOS.ORIGEM)=:))", "ORDER BY VOOS.DEST;"}};
    d.parameterised = true;
    d.declared_parameter = ParameterType::text;
    d.read_only = true;
    d.fields = {AutoNumber("COD_VOOS"), Width(Text("ORIGEM", 4), 12),
                Text("SPEED", 4),       Text("FL", 4),
                Text("ROTA", 80),       Text("DEST", 4),
                Whole("DISTANCIA"),     Text("ATIS", 50)};
    return d;
  }();
  return definition;
}

const DataSetDefinition& qrySaidas() {
  static const DataSetDefinition definition = [] {
    DataSetDefinition d;
    d.name = "qrySaidas";
    d.statement = StoredStatement{{"SELECT * from tab_saidas", "WHERE (((TAB_saidas.COD_VOO)=:))", "", ""}};
    d.parameterised = true;
    d.fields = {
        ReadOnly(AutoNumber("COD_SAIDA")), Width(Hidden(Whole("COD_VOO")), 8),
        Labelled(Centred(Text("PISTA", 50)), "Pistas", 9), Labelled(Text("SID_PREF", 50), "SID Pref.", 12),
        Labelled(Text("TRANS_PREF", 50), "Transição Pref.", 12),
        Labelled(Text("SID_SEC", 50), "SID Sec.", 12), Labelled(Text("TRANS_SEC", 50), "Transição Sec.", 12),
        // The column holds 80 characters; the departures grid holds 50.
        Text("STAR_DESTINO", 50), Text("FIXO_ENTRADA", 50), Text("TRANSICAO_DESTINO", 50),
        Text("PROC_RECOMENDADO", 50)};
    return d;
  }();
  return definition;
}

const DataSetDefinition& tab_procedimentos() {
  static const DataSetDefinition definition = [] {
    DataSetDefinition d;
    d.name = "tab_procedimentos";
    d.statement =
        StoredStatement{{"SELECT DISTINCT TAB_PROCEDIMENTO.proc_tipo, TAB_PROCEDIMENTO.proc_pista, "
                         "TAB_PROCEDIMENTO.proc_nome  ",
                         "FROM TAB_PROCEDIMENTO WHERE (((TAB_PROCEDIMENTO.PROC_ICAO)=:) AND "
                         "TAB_PROCEDIMENTO.PROC_FLAG = TRUE)",
                         "order by TAB_PROCEDIMENTO.proc_nome;"}};
    d.parameterised = true;
    d.read_only = true;
    d.fields = {Width(Text("Proc_Tipo", 50), 15), Text("Proc_Nome", 50), Text("Proc_Pista", 50)};
    return d;
  }();
  return definition;
}

const DataSetDefinition& qryFLAP() {
  static const DataSetDefinition definition = [] {
    DataSetDefinition d;
    d.name = "qryFLAP";
    d.statement = StoredStatement{{"SELECT * from FLAPS ", "WHERE (((Flaps.Weight)=:));"}};
    d.parameterised = true;
    return d;
  }();
  return definition;
}

const DataSetDefinition& tabVoos2() {
  static const DataSetDefinition definition = [] {
    DataSetDefinition d;
    d.name = "tabVoos2";
    d.statement = StoredStatement{{"select * from VOOS", "order by ORIGEM, DEST"}};
    d.fields = {AutoNumber("COD_VOOS"),
                Centred(Text("ORIGEM", 4), 8),
                Centred(Text("DEST", 4), 8),
                Centred(Text("SPEED", 4), 7),
                Centred(Text("FL", 4), 7),
                Width(Text("ROTA", 80), 30),
                Labelled(Centred(Whole("DISTANCIA")), "DIST"),
                Centred(Text("ATIS", 50), 10)};
    return d;
  }();
  return definition;
}

const DataSetDefinition& tabFlaps() {
  static const DataSetDefinition definition = [] {
    DataSetDefinition d;
    d.name = "tabFlaps";
    d.statement = StoredStatement{{"select * from flaps"}};
    d.fields = {Width(Whole("Weight"), 12), Centred(Text("Flap", 50), 15), Centred(Whole("V1"), 7),
                Centred(Whole("VR"), 7), Centred(Whole("V2"), 7)};
    return d;
  }();
  return definition;
}

}  // namespace route::data_sets
