"use strict";
// The catalogue's page: one data block (see HtmlWriter.cpp for its shape) read once, rows
// made only for what is on screen, and every name put in as text, never as markup.
(() => {
  const $ = (id) => document.getElementById(id);
  const make = (tag, cls, text) => {
    const e = document.createElement(tag);
    if (cls) e.className = cls;
    if (text !== undefined) e.textContent = text;
    return e;
  };

  const data = JSON.parse($("catalogue").textContent);
  const fields = data.fields;
  const stride = fields.length;
  const kinds = data.kinds;  // [type, attribute letters] by number
  const NAME = fields.indexOf("name"), KIND = fields.indexOf("kind");
  const SIZE = fields.indexOf("size");
  // The checksum's field, named after its algorithm, when the listing has one.
  const HASH = fields.findIndex((f) => f === "sha256" || f === "md5" || f === "xxh128");

  // Folders: parent index (-1 for the top), name, the entries' fields one after another.
  const folders = data.folders.map((f) => ({
    parent: f[0], name: f[1], cells: f[2], problem: f[3] || "",
    count: f[2].length / stride, children: [], path: null,
    files: 0, dirs: 0, size: 0, allFiles: 0, allDirs: 0, allSize: 0, open: false, byName: null,
  }));
  const isDir = (k) => kinds[k][0] === "directory";
  for (let i = 0; i < folders.length; i++) {
    const f = folders[i];
    if (f.parent >= 0) folders[f.parent].children.push(i);
    for (let r = 0; r < f.count; r++) {
      const c = r * stride;
      if (isDir(f.cells[c + KIND])) f.dirs++; else f.files++;
      f.size += f.cells[c + SIZE];
    }
  }
  // Parents come before their children, so one backward pass sums every subtree.
  for (let i = folders.length - 1; i >= 0; i--) {
    const f = folders[i];
    f.allFiles += f.files; f.allDirs += f.dirs; f.allSize += f.size;
    if (f.parent >= 0) {
      const p = folders[f.parent];
      p.allFiles += f.allFiles; p.allDirs += f.allDirs; p.allSize += f.allSize;
    }
  }
  const starts = new Float64Array(folders.length + 1);  // the first entry's number in the whole
  folders.forEach((f, i) => { starts[i + 1] = starts[i] + f.count; });
  const rootLabel = data.path;
  const partsOf = (i) => {
    const parts = [];
    for (let f = i; folders[f].parent >= 0; f = folders[f].parent) parts.push(folders[f].name);
    return parts.reverse();
  };
  const pathOf = (i) => {
    const f = folders[i];
    if (f.path === null) f.path = partsOf(i).join("/");
    return f.path;
  };
  const childNamed = (i, name) => {  // by a map made on first use: a folder may hold thousands
    const f = folders[i];
    if (!f.byName) {
      f.byName = new Map();
      for (const c of f.children) if (!f.byName.has(folders[c].name)) f.byName.set(folders[c].name, c);
    }
    return f.byName.get(name);
  };

  // Numbers and dates. Times are the writer's local date and time, counted as if in UTC.
  const number = new Intl.NumberFormat();
  const two = (n) => (n < 10 ? "0" : "") + n;
  const timeText = (s) => {
    if (s === null) return "?";
    const d = new Date(s * 1000);
    if (isNaN(d)) return "";
    const y = d.getUTCFullYear();
    return (y < 1000 ? String(y).padStart(4, "0") : y) + "-" + two(d.getUTCMonth() + 1) + "-" +
      two(d.getUTCDate()) + " " + two(d.getUTCHours()) + ":" + two(d.getUTCMinutes()) + ":" +
      two(d.getUTCSeconds());
  };
  const plural = (n, one, many) => number.format(n) + " " + (n === 1 ? one : many);

  // The columns follow the data's fields; a field without its own column shows as text.
  const known = {
    name: { title: "Name", width: "minmax(12rem, 1fr)", text: (v) => v, key: (v) => v.toLowerCase() },
    kind: { title: "Attributes", width: "6rem", text: (v) => kinds[v][1], key: (v) => kinds[v][1] },
    size: { title: "Size", width: "9rem", num: true, text: (v, k) => (v === null ? "?" : isDir(k) ? "" : number.format(v)), key: (v) => v },
    modified: { title: "Modified", width: "11rem", cls: "date", text: timeText, key: (v) => v },
  };
  // A checksum takes less room than the name beside it: cut short, it shows whole in its title.
  const hashColumn = (field) => ({
    title: field, width: field === "sha256" ? "minmax(7rem, .6fr)" : "minmax(7rem, .4fr)",
    cls: "hash", text: (v) => v, key: (v) => v,
  });
  const columns = fields.map((field, index) => {
    const c = index === HASH ? hashColumn(field) : Object.hasOwn(known, field) ? known[field]
      : { title: field, width: "minmax(6rem, auto)", text: (v) => String(v), key: (v) => v };
    return Object.assign({ field: field, index: index, cls: c.num ? "num" : "" }, c);
  });
  document.documentElement.style.setProperty("--cols", columns.map((c) => c.width).join(" "));

  // A list that makes rows only for what is on screen. Past a browser's largest element the
  // scroll range is scaled down and the rows placed from the scaled position.
  const MAX_HEIGHT = 8e6;
  class RowList {
    constructor(viewport, makeRow, fillRow) {
      this.viewport = viewport; this.makeRow = makeRow; this.fillRow = fillRow;
      this.count = 0; this.pool = []; this.pending = false; this.scale = 1;
      this.spacer = make("div", "spacer");
      viewport.append(this.spacer);
      viewport.addEventListener("scroll", () => this.schedule());
      new ResizeObserver(() => this.schedule()).observe(viewport);
    }
    rowHeight() {
      if (!this.height) {
        const probe = this.makeRow();
        this.viewport.append(probe);
        this.height = probe.getBoundingClientRect().height || 22;
        probe.remove();
      }
      return this.height;
    }
    setCount(n, keepScroll) {
      this.count = n;
      const full = n * this.rowHeight();
      const shown = Math.min(full, MAX_HEIGHT);
      this.scale = shown > this.viewport.clientHeight && full > shown
        ? (full - this.viewport.clientHeight) / (shown - this.viewport.clientHeight) : 1;
      this.spacer.style.height = shown + "px";
      if (!keepScroll) this.viewport.scrollTop = 0;
      this.render();
    }
    schedule() {
      if (this.pending) return;
      this.pending = true;
      requestAnimationFrame(() => { this.pending = false; this.render(); });
    }
    render() {
      const h = this.rowHeight(), top = this.viewport.scrollTop, virtualTop = top * this.scale;
      const first = Math.max(0, Math.floor(virtualTop / h) - 4);
      const last = Math.min(this.count, Math.ceil((virtualTop + this.viewport.clientHeight) / h) + 4);
      let k = 0;
      for (let i = first; i < last; i++, k++) {
        if (k === this.pool.length) { this.pool.push(this.makeRow()); this.viewport.append(this.pool[k]); }
        const row = this.pool[k];
        row.hidden = false;
        row.style.transform = "translateY(" + (top + i * h - virtualTop) + "px)";
        this.fillRow(row, i);
      }
      for (; k < this.pool.length; k++) this.pool[k].hidden = true;
    }
    reveal(i) {
      const h = this.rowHeight(), view = this.viewport.clientHeight;
      const y = i * h, virtualTop = this.viewport.scrollTop * this.scale;
      if (y < virtualTop || y + h > virtualTop + view)
        this.viewport.scrollTop = Math.max(0, y - (view - h) / 2) / this.scale;
      this.render();
    }
  }

  // --- The folder's entries ---
  let current = 0, marked = -1, order = null, started = false;
  let sortColumn = -1, sortDescending = false;
  const rowsView = $("rows");
  const cellOf = (f, r, index) => folders[f].cells[r * stride + index];
  const entries = new RowList(rowsView, () => {
    const row = make("div", "row");
    row.setAttribute("role", "row");
    for (const c of columns) row.append(make("span", c.cls));
    return row;
  }, (row, i) => {
    const r = order ? order[i] : i;
    const f = folders[current];
    const kind = cellOf(current, r, KIND);
    columns.forEach((c, n) => {
      const cell = row.children[n];
      const value = f.cells[r * stride + c.index];
      cell.textContent = c.text(value, kind);
      if (c.field === "name") {
        const sub = isDir(kind) ? childNamed(current, value) : undefined;
        cell.className = (isDir(kind) ? "dir" : "file") + (sub !== undefined ? " link" : "");
        cell.dataset.folder = sub !== undefined ? sub : "";
        cell.title = value;
      } else if (n === HASH) {
        cell.title = value;
      }
    });
    row.classList.toggle("mark", r === marked);
    row.setAttribute("aria-selected", r === marked ? "true" : "false");
    row.dataset.entry = r;
  });
  // Columns wider than the window scroll sideways, their headers with them.
  rowsView.addEventListener("scroll", () => { $("columns").scrollLeft = rowsView.scrollLeft; });
  rowsView.addEventListener("click", (event) => {
    const target = event.target.closest(".link");
    if (target && target.dataset.folder !== "") openFolder(Number(target.dataset.folder));
  });

  const sortRows = () => {
    const f = folders[current];
    if (sortColumn < 0) { order = null; return; }
    const c = columns[sortColumn];
    const keys = new Array(f.count);
    for (let r = 0; r < f.count; r++) keys[r] = c.key(f.cells[r * stride + c.index]);
    order = Array.from({ length: f.count }, (_, r) => r);
    const sign = sortDescending ? -1 : 1;
    order.sort((a, b) => (keys[a] < keys[b] ? -sign : keys[a] > keys[b] ? sign : a - b));
  };
  const headers = columns.map((c, n) => {
    const b = make("button", c.cls, c.title);
    b.setAttribute("role", "columnheader");
    b.addEventListener("click", () => {
      // Ascending, descending, then the listing's own order again.
      if (sortColumn !== n) { sortColumn = n; sortDescending = false; }
      else if (!sortDescending) sortDescending = true;
      else sortColumn = -1;
      showSort();
      sortRows();
      entries.setCount(folders[current].count, true);
    });
    $("columns").append(b);
    return b;
  });
  const showSort = () => headers.forEach((b, n) => {
    b.textContent = columns[n].title + (n === sortColumn ? (sortDescending ? " \u25BE" : " \u25B4") : "");
    b.setAttribute("aria-sort", n === sortColumn ? (sortDescending ? "descending" : "ascending") : "none");
  });
  showSort();

  const showTotals = (f) => {
    const own = plural(f.files, "file", "files") + ", " + plural(f.dirs, "folder", "folders") + ", " +
      plural(f.size, "byte", "bytes");
    const all = plural(f.allFiles, "file", "files") + ", " + plural(f.allDirs, "folder", "folders") +
      ", " + plural(f.allSize, "byte", "bytes");
    $("totals").textContent = "Here: " + own + ". With everything below: " + all + ".";
  };
  const showCrumbs = (i) => {
    const crumbs = $("crumbs");
    crumbs.textContent = "";
    const chain = [];
    for (let f = i; f >= 0; f = folders[f].parent) chain.unshift(f);
    chain.forEach((f, n) => {
      if (n > 0) crumbs.append(make("span", "sep", "/"));
      const b = make("button", "", n === 0 ? rootLabel : folders[f].name);
      b.addEventListener("click", () => openFolder(f));
      crumbs.append(b);
    });
  };
  const hashOf = (i) => "#/" + partsOf(i).map(encodeURIComponent).join("/");
  const folderOfHash = (hash) => {
    if (!hash.startsWith("#/")) return 0;
    let f = 0;
    for (const part of hash.slice(2).split("/")) {
      if (part === "") continue;
      let name;
      try { name = decodeURIComponent(part); } catch (e) { return f; }
      const next = childNamed(f, name);
      if (next === undefined) return f;
      f = next;
    }
    return f;
  };

  function openFolder(i, entry) {
    showSearch(false);
    const changed = i !== current;
    current = i;
    marked = entry === undefined ? -1 : entry;
    const f = folders[i];
    // A folder opened is a step back can return to; a fragment naming no folder is corrected.
    if (location.hash !== hashOf(i)) {
      if (changed && started) history.pushState(null, "", hashOf(i));
      else history.replaceState(null, "", hashOf(i));
    }
    showCrumbs(i);
    showTotals(f);
    $("problem").hidden = !f.problem;
    $("problem").textContent = f.problem ? "This folder cannot be read: " + f.problem : "";
    sortRows();
    entries.setCount(f.count, !changed && entry === undefined);
    if (marked >= 0) entries.reveal(order ? order.indexOf(marked) : marked);
    tree.reveal(i);
    document.title = (i === 0 ? rootLabel : pathOf(i)) + " \u2013 Catalogue";
  }

  // --- The folder tree: the shown nodes in one list, keyboard as in a file manager ---
  const treeView = $("tree");
  let shown = [], depth = [], focus = 0;
  const rebuild = () => {
    shown = []; depth = [];
    const stack = [[0, 0]];
    while (stack.length) {  // without recursion: trees can be deep
      const [i, d] = stack.pop();
      shown.push(i); depth.push(d);
      if (folders[i].open) {
        const ch = folders[i].children;
        for (let k = ch.length - 1; k >= 0; k--) stack.push([ch[k], d + 1]);
      }
    }
    treeRows.setCount(shown.length, true);
  };
  const treeRows = new RowList(treeView, () => {
    const node = make("div", "node");
    node.setAttribute("role", "treeitem");
    node.append(make("span", "twisty"), make("span", "label"), make("span", "unreadable"));
    return node;
  }, (node, n) => {
    const i = shown[n], f = folders[i];
    node.id = "node-" + n;
    node.dataset.index = n;
    node.style.paddingLeft = "calc(var(--indent) * " + depth[n] + ")";
    node.children[0].textContent = f.children.length ? (f.open ? "\u25BE" : "\u25B8") : "";
    node.children[1].textContent = i === 0 ? rootLabel : f.name;
    node.children[2].textContent = f.problem ? "cannot be read" : "";
    node.title = f.problem ? f.problem : "";
    node.classList.toggle("current", i === current);
    node.classList.toggle("focus", n === focus);
    node.setAttribute("aria-level", depth[n] + 1);
    node.setAttribute("aria-selected", i === current ? "true" : "false");
    if (f.children.length) node.setAttribute("aria-expanded", f.open ? "true" : "false");
    else node.removeAttribute("aria-expanded");
  });
  const setFocus = (n) => {
    focus = Math.max(0, Math.min(shown.length - 1, n));
    treeRows.reveal(focus);
    treeView.setAttribute("aria-activedescendant", "node-" + focus);
  };
  const tree = {
    reveal(i) {
      for (let p = folders[i].parent; p >= 0; p = folders[p].parent) folders[p].open = true;
      rebuild();
      setFocus(shown.indexOf(i));
    },
  };
  const toggle = (n, open) => {
    const f = folders[shown[n]];
    if (!f.children.length || f.open === open) return false;
    f.open = open;
    rebuild();
    setFocus(n);
    return true;
  };
  treeView.addEventListener("click", (event) => {
    const node = event.target.closest(".node");
    if (!node) return;
    const n = Number(node.dataset.index);
    if (event.target.classList.contains("twisty")) toggle(n, !folders[shown[n]].open);
    else openFolder(shown[n]);
  });
  treeView.addEventListener("keydown", (event) => {
    const n = focus, i = shown[n], f = folders[i];
    const page = Math.max(1, Math.floor(treeView.clientHeight / treeRows.rowHeight()) - 1);
    switch (event.key) {
      case "ArrowDown": setFocus(n + 1); break;
      case "ArrowUp": setFocus(n - 1); break;
      case "PageDown": setFocus(n + page); break;
      case "PageUp": setFocus(n - page); break;
      case "Home": setFocus(0); break;
      case "End": setFocus(shown.length - 1); break;
      case "ArrowRight":
        if (!toggle(n, true) && f.open && f.children.length) setFocus(n + 1);
        break;
      case "ArrowLeft":
        if (!toggle(n, false) && f.parent >= 0) setFocus(shown.indexOf(f.parent));
        break;
      case "Enter": case " ": openFolder(i); break;
      default: return;
    }
    event.preventDefault();
  });

  // --- Search: part of a name, or a mask with * and ? over the whole name; part of a
  // checksum too, from HASH_DIGITS hexadecimal digits on (fewer would match most files) ---
  // All names, case-folded, in one text between NUL characters (no name holds one), so that a
  // part is found with indexOf and a mask with one regular expression.
  let haystack = null, nameStart = null;
  const buildIndex = () => {
    if (haystack) return;
    const parts = [];
    nameStart = new Float64Array(starts[folders.length] + 1);
    let at = 1, n = 0;
    for (const f of folders) {
      for (let r = 0; r < f.count; r++) {
        const name = f.cells[r * stride + NAME].toLowerCase();
        parts.push(name);
        nameStart[n++] = at;
        at += name.length + 1;
      }
    }
    nameStart[n] = at;
    haystack = "\0" + parts.join("\0") + "\0";
  };
  // All checksums in one text, each in a slot of the same width (padded with spaces, ended by a
  // NUL), so that a position's entry is a division. Made on the first search for one.
  const HASH_DIGITS = 7;
  let hashText = null, hashSlot = 0;
  const buildHashIndex = () => {
    if (hashText !== null) return;
    const parts = [];
    let width = 0;
    for (const f of folders)
      for (let r = 0; r < f.count; r++) width = Math.max(width, String(f.cells[r * stride + HASH]).length);
    for (const f of folders)
      for (let r = 0; r < f.count; r++) parts.push(String(f.cells[r * stride + HASH]).padEnd(width));
    hashSlot = width + 1;
    hashText = parts.join("\0") + "\0";
  };
  const findHash = (query) => {
    buildHashIndex();
    const hits = [];
    for (let at = hashText.indexOf(query); at >= 0;) {
      const n = Math.floor(at / hashSlot);
      hits.push(n);
      at = hashText.indexOf(query, (n + 1) * hashSlot);
    }
    return hits;
  };
  const merge = (a, b) => {  // two ascending lists of entries as one, each entry once
    const out = [];
    let i = 0, j = 0;
    while (i < a.length || j < b.length) {
      if (j === b.length || (i < a.length && a[i] < b[j])) out.push(a[i++]);
      else if (i === a.length || b[j] < a[i]) out.push(b[j++]);
      else { out.push(a[i++]); j++; }
    }
    return out;
  };
  const entryAt = (position) => {  // the name holding a position of the text
    let lo = 0, hi = nameStart.length - 2;
    while (lo < hi) {
      const mid = (lo + hi + 1) >> 1;
      if (nameStart[mid] <= position) lo = mid; else hi = mid - 1;
    }
    return lo;
  };
  const folderOfEntry = (n) => {
    let lo = 0, hi = folders.length - 1;
    while (lo < hi) {
      const mid = (lo + hi + 1) >> 1;
      if (starts[mid] <= n) lo = mid; else hi = mid - 1;
    }
    return lo;
  };
  // The program's mask rules: "*" any run, "?" one character, "*" and "*.*" everything,
  // "x.*" also a name "x" without a dot, "x." a name "x" without a dot.
  const maskExpression = (mask) => {
    mask = mask.replace(/\*+/g, "*");
    if (mask === "*" || mask === "*.*") return null;
    const body = (m) => Array.from(m, (c) =>
      c === "*" ? "[^\\0]*" : c === "?" ? "[^\\0]" : c.replace(/[\\^$.|?*+()[\]{}\/]/g, "\\$&")).join("");
    let source = body(mask);
    const tail = mask.length >= 2 && mask.endsWith(".*") ? 2 : mask.length >= 2 && mask.endsWith(".") ? 1 : 0;
    if (tail) source += "|(?=[^.\\0]*\\0)" + body(mask.slice(0, mask.length - tail));
    return new RegExp("\\0(?:" + source + ")(?=\\0)", "gu");
  };
  const find = (text) => {
    buildIndex();
    const hits = [];
    const query = text.toLowerCase();
    if (/[*?]/.test(query)) {
      const re = maskExpression(query);
      if (re === null) {
        for (let n = 0; n < nameStart.length - 1; n++) hits.push(n);
      } else {
        let m;
        while ((m = re.exec(haystack)) !== null) hits.push(entryAt(m.index + 1));
      }
    } else {
      let at = haystack.indexOf(query, 1);
      while (at >= 0) {
        const n = entryAt(at);
        hits.push(n);
        at = haystack.indexOf(query, nameStart[n + 1]);
      }
      if (HASH >= 0 && query.length >= HASH_DIGITS && /^[0-9a-f]+$/.test(query))
        return merge(hits, findHash(query));
    }
    return hits;
  };

  let hits = [], hitActive = -1;
  const hitView = $("hit-rows");
  const hitRows = new RowList(hitView, () => {
    const row = make("div", "row hit");
    row.append(make("span", "link"), make("span", "where"));
    return row;
  }, (row, i) => {
    const n = hits[i], f = folderOfEntry(n), r = n - starts[f];
    const kind = cellOf(f, r, KIND);
    row.children[0].textContent = cellOf(f, r, NAME);
    row.children[0].className = "link " + (isDir(kind) ? "dir" : "file");
    row.children[1].textContent = f === 0 ? rootLabel : pathOf(f);
    row.dataset.hit = i;
    row.classList.toggle("focus", i === hitActive);
  });
  const openHit = (i) => {
    const n = hits[i], f = folderOfEntry(n);
    openFolder(f, n - starts[f]);
  };
  hitView.addEventListener("click", (event) => {
    const row = event.target.closest(".row");
    if (row) openHit(Number(row.dataset.hit));
  });
  // Arrow keys move through the hits, Enter opens one.
  const moveHit = (i) => {
    hitActive = Math.max(0, Math.min(hits.length - 1, i));
    hitRows.reveal(hitActive);
  };
  hitView.addEventListener("keydown", (event) => {
    if (event.key === "ArrowDown") moveHit(hitActive + 1);
    else if (event.key === "ArrowUp") moveHit(hitActive - 1);
    else if (event.key === "Enter" && hitActive >= 0) openHit(hitActive);
    else return;
    event.preventDefault();
  });
  function showSearch(on) {
    if (!on) $("hit-count").dataset.query = "";
    $("hits").hidden = !on;
    $("folder").hidden = on;
  }
  const search = $("search");
  let timer = 0;
  const runSearch = () => {
    timer = 0;
    const text = search.value;
    if (text === "") { showSearch(false); return; }
    hits = find(text);
    hitActive = -1;
    $("hit-count").dataset.query = text;
    $("hit-count").textContent = hits.length === 0 ? "Nothing found."
      : plural(hits.length, "entry", "entries") + " found.";
    showSearch(true);
    hitRows.setCount(hits.length);
  };
  search.addEventListener("input", () => {
    if (timer) clearTimeout(timer);
    timer = setTimeout(runSearch, 60);
  });
  search.addEventListener("keydown", (event) => {
    if (event.key === "Escape") { search.value = ""; runSearch(); }
    if (event.key === "Enter") { if (timer) clearTimeout(timer); runSearch(); }
    if (event.key === "ArrowDown" && !$("hits").hidden && hits.length) {
      event.preventDefault();
      hitView.focus();
      moveHit(0);
    }
  });

  // --- Printing: the open folder's whole table, in the order shown ---
  const fillPrint = () => {
    const f = folders[current], out = $("print");
    out.textContent = "";
    out.append(make("h2", "", current === 0 ? rootLabel : rootLabel + " / " + pathOf(current)));
    out.append(make("p", "", $("totals").textContent));
    const table = make("table"), head = make("thead"), body = make("tbody"), hr = make("tr");
    for (const c of columns) hr.append(make("th", c.cls, c.title));
    head.append(hr);
    for (let i = 0; i < f.count; i++) {
      const r = order ? order[i] : i, tr = make("tr"), kind = cellOf(current, r, KIND);
      for (const c of columns) tr.append(make("td", c.cls, c.text(cellOf(current, r, c.index), kind)));
      body.append(tr);
    }
    table.append(head, body);
    out.append(table);
  };
  addEventListener("beforeprint", fillPrint);
  addEventListener("afterprint", () => { $("print").textContent = ""; });

  // --- Start ---
  $("title").textContent = rootLabel;
  if (HASH >= 0) {
    search.placeholder = "Search names or checksums, * and ? as masks";
    search.setAttribute("aria-label", "Search names and checksums");
  }
  $("made").textContent = (data.made ? "Made " + data.made.replace("T", " ") : "Made") +
    (data.program ? " by " + [data.program, data.version].join(" ").trim() : "");
  folders[0].open = true;
  $("loading").remove();
  addEventListener("popstate", () => openFolder(folderOfHash(location.hash)));
  openFolder(folderOfHash(location.hash));
  started = true;
  performance.mark("first-folder");  // for the benchmark: the first folder is on the page
  // The search text is made while the reader looks at the first folder.
  setTimeout(buildIndex, 200);
})();
