// The records in the browser's storage for the site, shared by its tabs.
const RECORDS_KEY = 'tessaro.records';
// Without Web Locks (a page served over plain http from anywhere but this machine), tabs cannot
// take turns at the table: each record entered is then kept under a key of its own, which no
// other tab ever writes, and the table is read as its rows with every such record entered.
const ENTRY_PREFIX = RECORDS_KEY + '.';

let releaseRecords = null;
let gbk = null;

const row = r => Array.isArray(r) && r.length === 2 && typeof r[0] === 'string' &&
  !/[\n\r]/.test(r[0]) && Number.isInteger(r[1]);

// What the engine calls for its record table.
export const records = {
  // Ten lines "POINTS<TAB>NAME"; null when nothing is stored; '' for storage that cannot be
  // read or holds anything else.
  readRecords() {
    let stored;
    try {
      stored = localStorage.getItem(RECORDS_KEY);
    } catch (e) {
      return '';
    }
    if (stored === null) return null;
    try {
      const rows = JSON.parse(stored);
      const good = Array.isArray(rows) && rows.length === 10 && rows.every(row);
      return good ? rows.map(r => `${r[1]}\t${r[0]}\n`).join('') : '';
    } catch (e) {
      return '';
    }
  },
  // The records entered each under a key of its own, in the order they were entered, as lines
  // "POINTS<TAB>NAME"; one that holds anything else is passed over.
  readEntries() {
    const entries = [];
    try {
      for (let i = 0; i < localStorage.length; ++i) {
        const key = localStorage.key(i);
        if (!key.startsWith(ENTRY_PREFIX)) continue;
        const [time, tie] = key.slice(ENTRY_PREFIX.length).split('.');
        try {
          const r = JSON.parse(localStorage.getItem(key));
          if (row(r)) entries.push([Number(time), tie, `${r[1]}\t${r[0]}\n`]);
        } catch (e) {
          // not one of ours
        }
      }
    } catch (e) {
      return '';
    }
    entries.sort((a, b) => a[0] - b[0] || (a[1] < b[1] ? -1 : a[1] > b[1]));
    return entries.map(e => e[2]).join('');
  },
  // The table; under the lock, with the entries read folded in, which are then dropped.
  writeRecords(lines) {
    const rows = lines.split('\n').filter(l => l).map(l => {
      const tab = l.indexOf('\t');
      return [l.slice(tab + 1), Number(l.slice(0, tab))];
    });
    try {
      localStorage.setItem(RECORDS_KEY, JSON.stringify(rows));
      for (let i = releaseRecords ? localStorage.length : 0; i-- > 0;) {
        const key = localStorage.key(i);
        if (key.startsWith(ENTRY_PREFIX)) localStorage.removeItem(key);
      }
      return true;
    } catch (e) {
      return false;
    }
  },
  // Without the lock: one record "POINTS<TAB>NAME" under a new key of its own.
  addRecord(lines) {
    const line = lines.replace(/\n$/, '');
    const tab = line.indexOf('\t');
    const key = `${ENTRY_PREFIX}${Date.now()}.${Math.random().toString(36).slice(2)}`;
    try {
      localStorage.setItem(key, JSON.stringify([line.slice(tab + 1), Number(line.slice(0, tab))]));
      return localStorage.getItem(key) !== null;
    } catch (e) {
      return false;
    }
  },
  // One tab at a time reads, changes and writes the records: 1 under the lock, 2 where there
  // are no Web Locks, 0 when the lock cannot be had.
  lockRecords() {
    if (!navigator.locks) return Promise.resolve(2);
    return new Promise(resolve => {
      navigator.locks.request(RECORDS_KEY, () => new Promise(release => {
        releaseRecords = release;
        resolve(1);
      })).catch(() => resolve(0));
    });
  },
  unlockRecords() {
    if (releaseRecords) releaseRecords();
    releaseRecords = null;
  },
  // Whether the table's file, Data.dat, can hold the character: whether GBK has it, as the
  // browser's own GBK decoder knows its two-byte codes. The codes are decoded once, into one bit
  // for each character of the Basic Multilingual Plane (GBK's two-byte codes hold nothing
  // beyond it): the first start reads the stored names through here, so this is on the way to
  // a playable board.
  holdsInGbk(code) {
    if (code < 0x80) return true;
    if (code > 0xffff) return false;
    if (!gbk) {
      const bytes = new Uint8Array(1 + 126 * 190 * 2);
      let size = 0;
      bytes[size++] = 0x80;
      for (let lead = 0x81; lead <= 0xfe; ++lead) {
        for (let trail = 0x40; trail <= 0xfe; ++trail) {
          if (trail === 0x7f) continue;
          bytes[size++] = lead;
          bytes[size++] = trail;
        }
      }
      const decoded = new TextDecoder('gbk').decode(bytes);
      gbk = new Uint8Array(0x10000 / 8);
      for (let i = 0; i < decoded.length; ++i) {
        const c = decoded.charCodeAt(i);
        if (c !== 0xfffd) gbk[c >> 3] |= 1 << (c & 7);
      }
    }
    return (gbk[code >> 3] & (1 << (code & 7))) !== 0;
  },
};
