#pragma once
// The eight data sets of the program, on the route database.
#include "database/route/data_set_definition.h"

namespace route::data_sets {

const DataSetDefinition& tab_Voos();
const DataSetDefinition& qryORIGEM();
const DataSetDefinition& qryDESTINO();
const DataSetDefinition& qrySaidas();
const DataSetDefinition& tab_procedimentos();
const DataSetDefinition& qryFLAP();
const DataSetDefinition& tabVoos2();
const DataSetDefinition& tabFlaps();

}  // namespace route::data_sets
