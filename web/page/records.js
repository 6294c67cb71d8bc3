// The records in the browser's storage for the site, one tab at a time.
const RECORDS_KEY = 'tessaro.records';

let releaseRecords = null;

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
      const good = Array.isArray(rows) && rows.length === 10 && rows.every(r =>
        Array.isArray(r) && r.length === 2 && typeof r[0] === 'string' && !/[\n\r]/.test(r[0]) &&
        Number.isInteger(r[1]));
      return good ? rows.map(r => `${r[1]}\t${r[0]}\n`).join('') : '';
    } catch (e) {
      return '';
    }
  },
  writeRecords(lines) {
    const rows = lines.split('\n').filter(l => l).map(l => {
      const tab = l.indexOf('\t');
      return [l.slice(tab + 1), Number(l.slice(0, tab))];
    });
    try {
      localStorage.setItem(RECORDS_KEY, JSON.stringify(rows));
      return true;
    } catch (e) {
      return false;
    }
  },
  // One tab at a time reads, changes and writes the records.
  lockRecords() {
    if (!navigator.locks) return Promise.resolve(1);
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
};
