#!/usr/bin/env python3
"""Checks the shipped data: Trimwise.sql (the route database's source) and LoadManager.ini.

Usage: check_data.py [DATA_DIR]   (default: the folder of this script)
Exits 1 and names every broken invariant; prints a summary when all hold.
"""
import math
import os
import re
import sys
from collections import Counter, defaultdict

# The tables as the program reads them; FLAPS is read by position, so order matters everywhere.
SCHEMA = {
    'VOOS': [('COD_VOOS', 'COUNTER'), ('ORIGEM', 'TEXT', 4), ('SPEED', 'TEXT', 4), ('FL', 'TEXT', 4),
             ('ROTA', 'TEXT', 80), ('DEST', 'TEXT', 4), ('DISTANCIA', 'LONG'), ('ATIS', 'TEXT', 50),
             ('OBS', 'TEXT', 255)],
    'FLAPS': [('Weight', 'LONG'), ('Flap', 'TEXT', 50), ('V1', 'LONG'), ('VR', 'LONG'), ('V2', 'LONG')],
    'tab_saidas': [('COD_SAIDA', 'COUNTER'), ('COD_VOO', 'LONG'), ('PISTA', 'TEXT', 50),
                   ('SID_PREF', 'TEXT', 50), ('TRANS_PREF', 'TEXT', 50), ('SID_SEC', 'TEXT', 50),
                   ('TRANS_SEC', 'TEXT', 50), ('FIXO_ENTRADA', 'TEXT', 50), ('STAR_DESTINO', 'TEXT', 80),
                   ('TRANSICAO_DESTINO', 'TEXT', 50), ('PROC_RECOMENDADO', 'TEXT', 50)],
    'TAB_PROCEDIMENTO': [('Proc_Cod', 'COUNTER'), ('Proc_ICAO', 'TEXT', 50), ('Proc_Tipo', 'TEXT', 50),
                         ('Proc_Nome', 'TEXT', 50), ('Proc_Pista', 'TEXT', 50), ('PROC_FLAG', 'YESNO')],
}

# Aerodrome reference points (degrees, south and west negative), for the distance check.
AIRPORTS = {
    'SBAR': (-10.9840, -37.0703), 'SBBE': (-1.3792, -48.4763), 'SBBR': (-15.8711, -47.9186),
    'SBCF': (-19.6244, -43.9719), 'SBCG': (-20.4686, -54.6725), 'SBCT': (-25.5285, -49.1758),
    'SBCY': (-15.6529, -56.1167), 'SBEG': (-3.0386, -60.0497), 'SBFL': (-27.6703, -48.5525),
    'SBFZ': (-3.7763, -38.5326), 'SBGL': (-22.8100, -43.2506), 'SBGO': (-16.6320, -49.2207),
    'SBGR': (-23.4356, -46.4731), 'SBJP': (-7.1481, -34.9503), 'SBKP': (-23.0069, -47.1344),
    'SBMO': (-9.5108, -35.7917), 'SBNT': (-5.9114, -35.2477), 'SBPA': (-29.9944, -51.1714),
    'SBPV': (-8.7094, -63.9023), 'SBRF': (-8.1264, -34.9228), 'SBRJ': (-22.9103, -43.1631),
    'SBSL': (-2.5854, -44.2341), 'SBSP': (-23.6261, -46.6564), 'SBSV': (-12.9086, -38.3225),
    'SBTE': (-5.0603, -42.8236), 'SBVT': (-20.2581, -40.2861),
}

WEIGHTS = list(range(40, 81, 2))
FLAP_SETTINGS = ['1', '5', '10', '15', '25']
SECTIONS = ['600_Single', '600_Mixed', '700_Single', '700_Mixed',
            '800_Single', '800_Mixed', '900_Single', '900_Mixed']
INI_KEYS = ['MTOW', 'MZFW', 'Pax_First', 'Pax_Coach', 'OEW', 'Cargo_Fwd', 'Cargo_Aft']
PASSENGER_LB = 180
RUNWAY = r'\d{2}[LRC]?'

problems = []


def fail(invariant, detail):
    problems.append(f'[{invariant}] {detail}')


# ---------------------------------------------------------------- script reading

class ScriptError(Exception):
    pass


TOKEN = re.compile(r"""
    (?P<ws>\s+)
  | (?P<str>'(?:[^']|'')*'|"(?:[^"]|"")*")
  | (?P<num>-?\d+(?:\.\d+)?)
  | (?P<name>[A-Za-z_][A-Za-z0-9_]*|\[[^\]]+\])
  | (?P<punct>[(),;])
""", re.VERBOSE)


def tokenize(text):
    tokens, pos, line = [], 0, 1
    while pos < len(text):
        m = TOKEN.match(text, pos)
        if not m:
            raise ScriptError(f'line {line}: unexpected character {text[pos]!r}')
        kind = m.lastgroup
        val = m.group()
        if kind == 'str':
            q = val[0]
            tokens.append(('str', val[1:-1].replace(q + q, q), line))
        elif kind == 'num':
            tokens.append(('num', float(val) if '.' in val else int(val), line))
        elif kind == 'name':
            tokens.append(('name', val.strip('[]'), line))
        elif kind == 'punct':
            tokens.append(('punct', val, line))
        line += val.count('\n')
        pos = m.end()
    return tokens


class Parser:
    def __init__(self, tokens):
        self.t, self.i = tokens, 0

    def peek(self):
        return self.t[self.i] if self.i < len(self.t) else ('end', None, self.t[-1][2] if self.t else 0)

    def take(self, kind=None, value=None):
        tok = self.peek()
        if tok[0] == 'end' or (kind and tok[0] != kind) or \
                (value is not None and (str(tok[1]).upper() != value.upper())):
            want = value or kind
            raise ScriptError(f'line {tok[2]}: expected {want}, found {tok[1]!r}')
        self.i += 1
        return tok

    def at(self, value):
        tok = self.peek()
        return tok[0] in ('name', 'punct') and str(tok[1]).upper() == value.upper()

    def statements(self):
        while self.peek()[0] != 'end':
            if self.at('CREATE'):
                yield self.create()
            elif self.at('INSERT'):
                yield self.insert()
            else:
                tok = self.peek()
                raise ScriptError(f'line {tok[2]}: unexpected statement starting {tok[1]!r}')
            self.take('punct', ';')

    def create(self):
        line = self.take('name', 'CREATE')[2]
        self.take('name', 'TABLE')
        table = self.take('name')[1]
        self.take('punct', '(')
        cols, keys = [], []
        while True:
            if self.at('CONSTRAINT'):
                self.take()
                self.take('name')
                self.take('name', 'PRIMARY')
                self.take('name', 'KEY')
                self.take('punct', '(')
                keys.append(self.take('name')[1])
                while self.at(','):
                    self.take()
                    keys.append(self.take('name')[1])
                self.take('punct', ')')
            else:
                name = self.take('name')[1]
                typ = self.take('name')[1].upper()
                size = None
                if self.at('('):
                    self.take()
                    size = self.take('num')[1]
                    self.take('punct', ')')
                not_null = False
                if self.at('NOT'):
                    self.take()
                    self.take('name', 'NULL')
                    not_null = True
                cols.append((name, typ, size, not_null))
            if self.at(','):
                self.take()
                continue
            self.take('punct', ')')
            return ('create', line, table, cols, keys)

    def insert(self):
        line = self.take('name', 'INSERT')[2]
        self.take('name', 'INTO')
        table = self.take('name')[1]
        self.take('punct', '(')
        cols = [self.take('name')[1]]
        while self.at(','):
            self.take()
            cols.append(self.take('name')[1])
        self.take('punct', ')')
        self.take('name', 'VALUES')
        self.take('punct', '(')
        vals = [self.value()]
        while self.at(','):
            self.take()
            vals.append(self.value())
        self.take('punct', ')')
        return ('insert', line, table, cols, vals)

    def value(self):
        kind, val, line = self.take()
        if kind in ('str', 'num'):
            return val
        if kind == 'name' and val.upper() in ('TRUE', 'FALSE'):
            return val.upper() == 'TRUE'
        if kind == 'name' and val.upper() == 'NULL':
            return None
        raise ScriptError(f'line {line}: expected a value, found {val!r}')


def read_script(path):
    """Returns {table: [row dict, ...]} in insertion order, AutoNumber keys numbered from 1."""
    raw = open(path, 'rb').read()
    for n, text in enumerate(raw.split(b'\n'), start=1):
        if any(b > 127 for b in text):
            fail('plain ASCII script', f'line {n} holds a non-ASCII byte; write the text without accents')
    text = raw.decode('ascii', errors='replace')
    try:
        stmts = list(Parser(tokenize(text)).statements())
    except ScriptError as e:
        fail('script syntax', str(e))
        return None
    rows = {}
    created = {}
    for stmt in stmts:
        if stmt[0] == 'create':
            check_create(stmt, created)
            rows.setdefault(stmt[2], [])
        else:
            check_insert(stmt, created, rows)
    for table in SCHEMA:
        if table not in created:
            fail('schema', f'table {table} is never created')
    return rows


def check_create(stmt, created):
    _, line, table, cols, keys = stmt
    if table not in SCHEMA:
        fail('schema', f'line {line}: unexpected table {table}')
        return
    if table in created:
        fail('schema', f'line {line}: table {table} created twice')
    created[table] = True
    want = SCHEMA[table]
    got = [(c[0], c[1]) + ((c[2],) if c[2] is not None else ()) for c in cols]
    if got != [tuple(w) for w in want]:
        fail('schema', f'line {line}: {table} columns are {got}, must be {want}')
    counters = [w[0] for w in want if w[1] == 'COUNTER']
    if keys != counters:
        fail('schema', f'line {line}: {table} primary key is {keys}, must be {counters}')
    for name, typ, _size, not_null in cols:
        if typ == 'COUNTER' and not not_null:
            fail('schema', f'line {line}: {table}.{name} must be NOT NULL')


def check_insert(stmt, created, rows):
    _, line, table, cols, vals = stmt
    if table not in created:
        fail('insert', f'line {line}: INSERT INTO {table} before (or without) its CREATE TABLE')
        return
    schema = {c[0]: c for c in SCHEMA[table]}
    fillable = [c[0] for c in SCHEMA[table] if c[1] != 'COUNTER']
    if sorted(cols) != sorted(fillable):
        fail('insert', f'line {line}: {table} INSERT names {cols}; it must name exactly {fillable} '
                       '(AutoNumber keys are assigned by the database)')
        return
    if len(vals) != len(cols):
        fail('insert', f'line {line}: {len(cols)} columns but {len(vals)} values')
        return
    row = {'_line': line}
    for col, val in zip(cols, vals):
        c = schema[col]
        if val is None:
            pass
        elif c[1] == 'TEXT':
            if not isinstance(val, str):
                fail('column types', f'line {line}: {table}.{col} is text, given {val!r}')
            elif len(val) > c[2]:
                fail('text sizes', f'line {line}: {table}.{col} holds {c[2]} characters, '
                                   f'given {len(val)}: {val!r}')
        elif c[1] == 'LONG':
            if isinstance(val, bool) or not isinstance(val, int) or not -2**31 <= val < 2**31:
                fail('column types', f'line {line}: {table}.{col} is a Long Integer, given {val!r}')
        elif c[1] == 'YESNO' and not isinstance(val, bool):
            fail('column types', f'line {line}: {table}.{col} is Yes/No, given {val!r}')
        row[col] = val
    table_rows = rows.setdefault(table, [])
    for c in SCHEMA[table]:
        if c[1] == 'COUNTER':
            row[c[0]] = len(table_rows) + 1
    table_rows.append(row)


# ---------------------------------------------------------------- table checks

def great_circle_nm(a, b):
    la1, lo1, la2, lo2 = (math.radians(x) for x in (*a, *b))
    h = math.sin((la2 - la1) / 2) ** 2 + math.cos(la1) * math.cos(la2) * math.sin((lo2 - lo1) / 2) ** 2
    return 2 * 3440.065 * math.asin(math.sqrt(h))


def runway_pair_ok(pista):
    m = re.fullmatch(r'(\d{2})([LRC]?)/(\d{2})([LRC]?)', pista or '')
    if not m:
        return False
    opposite = {'L': 'R', 'R': 'L', 'C': 'C', '': ''}
    return (abs(int(m[1]) - int(m[3])) == 18 and opposite[m[2]] == m[4])


def check_routes(voos):
    if not 70 <= len(voos) <= 90:
        fail('network size', f'{len(voos)} routes; the shipped network has about 80')
    origins = {r.get('ORIGEM') for r in voos}
    dests = {r.get('DEST') for r in voos}
    airports = origins | dests
    if not 20 <= len(airports) <= 30:
        fail('network size', f'{len(airports)} airports; the shipped network has about 25')
    for code in sorted(airports - {None}):
        if not re.fullmatch(r'[A-Z]{4}', code):
            fail('ICAO codes', f'{code!r} is not four upper-case letters')
    for code in sorted((origins ^ dests) - {None}):
        fail('network', f'{code} is only ever an ' + ('origin' if code in origins else 'destination'))
    pairs = Counter((r.get('ORIGEM'), r.get('DEST')) for r in voos)
    shared = [p for p, n in pairs.items() if n > 1]
    if not shared:
        fail('shared pair', 'no two routes share an origin and a destination')
    for p in shared:
        texts = [r.get('ROTA') for r in voos if (r.get('ORIGEM'), r.get('DEST')) == p]
        if len(set(texts)) != len(texts):
            fail('shared pair', f'routes {p[0]}-{p[1]} repeat the same route text')
    for r in voos:
        where = f"line {r['_line']} (COD_VOOS {r['COD_VOOS']}, {r.get('ORIGEM')}-{r.get('DEST')})"
        o, d = r.get('ORIGEM'), r.get('DEST')
        if o == d:
            fail('routes', f'{where}: origin and destination are the same')
        spd, fl, dist = r.get('SPEED') or '', r.get('FL') or '', r.get('DISTANCIA')
        if not re.fullmatch(r'\d+', spd) or not 380 <= int(spd) <= 490:
            fail('cruise speed', f'{where}: SPEED {spd!r} is not a 737 cruise airspeed in knots')
        if not re.fullmatch(r'\d+0', fl) or not 150 <= int(fl) <= 410:
            fail('flight level', f'{where}: FL {fl!r} is not a flight level in hundreds of feet')
        elif isinstance(dist, int) and dist < 300 and int(fl) >= 330:
            fail('flight level', f'{where}: FL {fl} is too high for a {dist} NM hop')
        elif isinstance(dist, int) and dist > 500 and int(fl) < 330:
            fail('flight level', f'{where}: FL {fl} is too low for a {dist} NM route')
        if o in AIRPORTS and d in AIRPORTS:
            gc = great_circle_nm(AIRPORTS[o], AIRPORTS[d])
            if not isinstance(dist, int) or abs(dist - gc) > max(3, 0.03 * gc):
                fail('distances', f'{where}: DISTANCIA {dist} but the great circle is {gc:.0f} NM')
        else:
            for code in (o, d):
                if code not in AIRPORTS:
                    fail('distances', f'{where}: no reference point for {code} in check_data.py')
        rota = r.get('ROTA') or ''
        if not re.fullmatch(r'[A-Z0-9]+( [A-Z0-9]+)+', rota):
            fail('route text', f'{where}: ROTA {rota!r} is not a route of airways and fixes')
        if not re.fullmatch(r'ATIS 1[1-3]\d\.\d{2,3}', r.get('ATIS') or ''):
            fail('ATIS', f"{where}: ATIS {r.get('ATIS')!r} is not 'ATIS <VHF frequency>'")
    if not any(r.get('OBS') for r in voos):
        fail('remarks', 'no route carries an OBS remark')
    return airports


def check_departures(saidas, voos, procs):
    by_id = {r['COD_VOOS']: r for r in voos}
    counts = Counter(s.get('COD_VOO') for s in saidas)
    for s in saidas:
        if s.get('COD_VOO') not in by_id:
            fail('departures', f"line {s['_line']}: COD_VOO {s.get('COD_VOO')!r} is no route id")
    for rid, r in by_id.items():
        if not 1 <= counts[rid] <= 3:
            fail('departures', f"route {rid} ({r.get('ORIGEM')}-{r.get('DEST')}) has {counts[rid]} "
                               'departures; each route has one to three')
    flagged = defaultdict(set)
    for p in procs:
        if p.get('PROC_FLAG'):
            flagged[(p.get('Proc_ICAO'), p.get('Proc_Tipo'))].add(p.get('Proc_Nome'))
    long_stars = 0
    for s in saidas:
        r = by_id.get(s.get('COD_VOO'))
        if r is None:
            continue
        where = f"line {s['_line']} (route {r['COD_VOOS']}, {r.get('ORIGEM')}-{r.get('DEST')})"
        if not runway_pair_ok(s.get('PISTA')):
            fail('runways', f"{where}: PISTA {s.get('PISTA')!r} is not a runway and its reciprocal")
        for col in ('SID_PREF', 'SID_SEC'):
            sid = s.get(col)
            if sid is not None and sid not in flagged[(r.get('ORIGEM'), 'SID')]:
                fail('departures', f"{where}: {col} {sid!r} is no listed SID of {r.get('ORIGEM')}")
        if s.get('SID_PREF') is None or s.get('TRANS_PREF') is None:
            fail('departures', f'{where}: no preferred SID and transition')
        if (s.get('SID_SEC') is None) != (s.get('TRANS_SEC') is None):
            fail('departures', f'{where}: a second SID needs its transition and the other way round')
        rota = (r.get('ROTA') or '').split()
        fix = s.get('FIXO_ENTRADA')
        if not rota or fix != rota[-1]:
            fail('departures', f'{where}: entry fix {fix!r} is not where the route text ends')
        if s.get('TRANS_PREF') not in rota[1::2]:
            fail('departures', f"{where}: SID transition {s.get('TRANS_PREF')!r} is not on the route")
        star = s.get('STAR_DESTINO') or ''
        long_stars += len(star) > 50
        star_name = ' '.join(star.split()[:2])
        if not star.startswith(f'{fix} ') or star_name not in flagged[(r.get('DEST'), 'STAR')]:
            fail('departures', f"{where}: STAR {star!r} does not start with a listed STAR of "
                               f"{r.get('DEST')} from {fix}")
        rec = s.get('PROC_RECOMENDADO')
        if rec not in flagged[(r.get('DEST'), 'IAC')]:
            fail('departures', f"{where}: recommended procedure {rec!r} is no listed approach of "
                               f"{r.get('DEST')}")
    if long_stars < 2:
        fail('long STARs', f'{long_stars} STAR_DESTINO values are longer than the 50 characters '
                           'the departures grid holds; the data keeps two or three such rows')


def check_procedures(procs, airports, dests):
    flags = Counter(bool(p.get('PROC_FLAG')) for p in procs)
    if not flags[False]:
        fail('procedures', 'no procedure is unflagged, so the flag filter is never exercised')
    if flags[False] * 3 > len(procs):
        fail('procedures', f'{flags[False]} of {len(procs)} procedures are unflagged; most are listed')
    keys = Counter((p.get('Proc_ICAO'), p.get('Proc_Tipo'), p.get('Proc_Pista'), p.get('Proc_Nome'))
                   for p in procs if p.get('PROC_FLAG'))
    if not any(n > 1 for n in keys.values()):
        fail('procedures', 'no listed procedure is duplicated, so DISTINCT has nothing to remove')
    listed = defaultdict(set)
    for p in procs:
        where = f"line {p['_line']} ({p.get('Proc_ICAO')} {p.get('Proc_Nome')!r})"
        tipo, pista, nome = p.get('Proc_Tipo'), p.get('Proc_Pista') or '', p.get('Proc_Nome') or ''
        if p.get('Proc_ICAO') not in airports:
            fail('procedures', f'{where}: no route serves this airport')
        if tipo not in ('SID', 'STAR', 'IAC'):
            fail('procedures', f'{where}: category {tipo!r} is none of SID, STAR, IAC')
        if not re.fullmatch(f'{RUNWAY}(/{RUNWAY})*', pista):
            fail('procedures', f'{where}: runway {pista!r} is not a runway designator')
        if tipo == 'IAC' and not nome.endswith(' RWY ' + pista):
            fail('procedures', f'{where}: approach name does not end in its runway {pista}')
        if p.get('PROC_FLAG'):
            listed[p.get('Proc_ICAO')].add(tipo)
    for d in sorted(dests):
        if 'IAC' not in listed[d] or 'STAR' not in listed[d]:
            fail('procedures', f'{d} is a destination without listed STARs and approaches')


def check_speeds(flaps):
    seen = Counter((f.get('Weight'), f.get('Flap')) for f in flaps)
    want = {(w, fl) for w in WEIGHTS for fl in FLAP_SETTINGS}
    for key in sorted(want - set(seen)):
        fail('speed table', f'no speeds for weight key {key[0]} flaps {key[1]}')
    for key in sorted(set(seen) - want, key=str):
        fail('speed table', f'unexpected row for weight key {key[0]} flaps {key[1]!r}')
    for key, n in seen.items():
        if n > 1:
            fail('speed table', f'weight key {key[0]} flaps {key[1]} appears {n} times')
    table = {}
    for f in flaps:
        v = (f.get('V1'), f.get('VR'), f.get('V2'))
        where = f"line {f['_line']} ({f.get('Weight')} t, flaps {f.get('Flap')})"
        if not all(isinstance(x, int) for x in v):
            fail('speed table', f'{where}: V1, VR, V2 must all be given')
            continue
        if not v[0] <= v[1] <= v[2]:
            fail('V1 <= VR <= V2', f'{where}: {v}')
        if not (100 <= v[0] and v[2] <= 190):
            fail('speed table', f'{where}: {v} is outside what a 737NG flies')
        table[(f.get('Weight'), f.get('Flap'))] = v
    for fl in FLAP_SETTINGS:
        for w1, w2 in zip(WEIGHTS, WEIGHTS[1:]):
            a, b = table.get((w1, fl)), table.get((w2, fl))
            if a and b and not all(y > x for x, y in zip(a, b)):
                fail('speeds rise with weight', f'flaps {fl}: {w1} t {a} to {w2} t {b}')
    for w in WEIGHTS:
        for f1, f2 in zip(FLAP_SETTINGS, FLAP_SETTINGS[1:]):
            a, b = table.get((w, f1)), table.get((w, f2))
            if a and b and not (all(y <= x for x, y in zip(a, b)) and b[2] < a[2]):
                fail('more flap, lower speeds', f'{w} t: flaps {f1} {a}, flaps {f2} {b}')


def check_readme(path, voos):
    """The route numbering that tab_saidas relies on is documented there; keep it true."""
    try:
        text = open(path, encoding='utf-8').read()
    except OSError:
        fail('route numbering', f'{path} is missing')
        return
    listed = [(int(m[1]), m[2], m[3]) for m in re.finditer(r'^\| (\d+) \| ([A-Z]{4}) \| ([A-Z]{4}) \|$',
                                                           text, re.M)]
    actual = [(r['COD_VOOS'], r.get('ORIGEM'), r.get('DEST')) for r in voos]
    if listed != actual:
        diff = next((f'{a} / {b}' for a, b in zip(listed, actual) if a != b),
                    f'{len(listed)} listed, {len(actual)} routes')
        fail('route numbering', f'README.md route table does not match the VOOS inserts: {diff}')


# ---------------------------------------------------------------- Load Manager file

def check_ini(path):
    raw = open(path, 'rb').read()
    if re.search(rb'(?<!\r)\n', raw) or re.search(rb'\r(?!\n)', raw) or not raw.endswith(b'\r\n'):
        fail('ini line ends', 'LoadManager.ini must use CRLF line ends throughout')
    try:
        text = raw.decode('cp1252')
    except UnicodeDecodeError as e:
        fail('ini encoding', f'LoadManager.ini is not Windows-1252: {e}')
        return
    sections, current = {}, None
    for n, line in enumerate(text.splitlines(), start=1):
        line = line.strip()
        if not line or line.startswith(';'):
            continue
        m = re.fullmatch(r'\[([^\]]+)\]', line)
        if m:
            current = m[1]
            if current in sections:
                fail('ini sections', f'line {n}: section {current} appears twice')
            sections[current] = {}
        elif '=' in line and current is not None:
            key, val = (x.strip() for x in line.split('=', 1))
            if key in sections[current]:
                fail('ini keys', f'line {n}: {current}.{key} appears twice')
            sections[current][key] = val
        else:
            fail('ini syntax', f'line {n}: {line!r} is neither a section nor a key')
    if list(sections) != SECTIONS:
        fail('ini sections', f'sections are {list(sections)}, must be {SECTIONS}')
    for name in SECTIONS:
        keys = sections.get(name, {})
        if sorted(keys) != sorted(INI_KEYS):
            fail('ini keys', f'{name} has keys {sorted(keys)}, must be {sorted(INI_KEYS)}')
            continue
        bad = [k for k in INI_KEYS if not re.fullmatch(r'\d+', keys[k])]
        if bad:
            fail('ini values', f'{name}: {bad} are not whole numbers')
            continue
        v = {k: int(keys[k]) for k in INI_KEYS}
        if not v['MZFW'] < v['MTOW']:
            fail('MZFW < MTOW', f"{name}: MZFW {v['MZFW']}, MTOW {v['MTOW']}")
        if not v['OEW'] < v['MZFW']:
            fail('OEW < MZFW', f"{name}: OEW {v['OEW']}, MZFW {v['MZFW']}")
        zfw = v['OEW'] + PASSENGER_LB * (v['Pax_First'] + v['Pax_Coach']) + v['Cargo_Fwd'] + v['Cargo_Aft']
        if zfw > v['MZFW']:
            fail('standard payload', f"{name}: zero-fuel weight {zfw} lb exceeds MZFW {v['MZFW']}")
        mixed = name.endswith('_Mixed')
        if (v['Pax_First'] > 0) != mixed:
            fail('cabins', f"{name}: Pax_First {v['Pax_First']} does not fit a "
                           f"{'mixed' if mixed else 'single'}-class cabin")
    for variant in ('600', '700', '800', '900'):
        single, mixed = sections.get(variant + '_Single', {}), sections.get(variant + '_Mixed', {})
        for k in ('MTOW', 'MZFW', 'OEW'):
            if single.get(k) != mixed.get(k):
                fail('ini variants', f'737-{variant}: {k} differs between its two cabins')


def main():
    data = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__)))
    rows = read_script(os.path.join(data, 'Trimwise.sql'))
    summary = ''
    if rows is not None:
        voos, saidas = rows.get('VOOS', []), rows.get('tab_saidas', [])
        procs, flaps = rows.get('TAB_PROCEDIMENTO', []), rows.get('FLAPS', [])
        airports = check_routes(voos)
        check_procedures(procs, airports, {r.get('DEST') for r in voos})
        check_departures(saidas, voos, procs)
        check_speeds(flaps)
        check_readme(os.path.join(data, 'README.md'), voos)
        summary = (f'{len(voos)} routes among {len(airports)} airports, {len(saidas)} departures, '
                   f'{len(procs)} procedures, {len(flaps)} speed rows')
    check_ini(os.path.join(data, 'LoadManager.ini'))
    if problems:
        print(f'data check FAILED: {len(problems)} problem(s) in {data}', file=sys.stderr)
        for p in problems:
            print('  ' + p, file=sys.stderr)
        return 1
    print(f'data check passed: {summary}; LoadManager.ini with {len(SECTIONS)} variants')
    return 0


if __name__ == '__main__':
    sys.exit(main())
