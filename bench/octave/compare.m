function compare(only)
%COMPARE  Each plug-in through the host against idiomatic vectorised Octave code.
%   COMPARE() times every plug-in, called through Octave, against the
%   vectorised Octave code a capable user would write for the same job, on the
%   kernel benchmarks' workloads, checks that both give the same result (a
%   mismatch ends the run with an error), and prints the ratio of the medians.
%   Runs of the two alternate in one process.
%   For the plug-ins with large outputs it also times the host's own floor, a
%   MEX that only creates an output of the same size, built here at run time.
%   COMPARE('greedypick') times greedypick alone.
%   Needs the plug-ins on the path (addpath build/mex).

% SPDX-License-Identifier: MIT

  floorDir = tempname();
  mkdir(floorDir);
  cleanup = onCleanup(@() confirm_recursive_rmdir(false, 'local') || rmdir(floorDir, 's'));
  here = fileparts(mfilename('fullpath'));
  [status, text] = system(sprintf('mkoctfile --mex -o "%s" "%s" 2>&1', ...
      fullfile(floorDir, 'hostfloor.mex'), fullfile(here, 'hostfloor.c')));
  if status ~= 0
    error('compare: could not build the floor MEX:\n%s', text);
  end
  addpath(floorDir);

  printf('\n%-34s %10s %10s %8s %10s %8s  %s\n', 'plug-in / workload', 'plug-in', 'Octave', ...
         'ratio', 'floor', 'vs floor', 'agreement');
  printf('%s\n', repmat('-', 1, 100));

  if nargin < 1 || ~strcmp(only, 'greedypick')
    other_plugins(floorDir);
  end
  greedypick_rows(floorDir, here);
end

function other_plugins(floorDir)
  rand('seed', 1); randn('seed', 1);
  R = 480; C = 640;

  %% tallyplane: per-bin cumsum(cumsum(...)).
  histograms = cell(1, 2);
  binCounts = [16 64];
  for b = 1:2
    B = binCounts(b);
    q = blocky_image(R, C, B);
    plug = @() tallyplane(q, R, C, B);
    oct = @() octave_tallyplane(q, R, C, B);
    hf = @() hostfloor(B, (R + 1) * (C + 1));
    H = plug();
    agree = verdict(isequal(H, oct()), 'exact');
    report(sprintf('tallyplane B=%d', B), time_alternating({plug, oct, hf}, 5), agree);
    histograms{b} = H;
  end

  %% ringdiff: the corner reads and the chi-square as whole-matrix operations.
  for b = 1:2
    B = binCounts(b);
    for N = [10000 100000]
      [x0, y0, x1, y1] = random_windows(R, C, N);
      H = histograms{b};
      plug = @() ringdiff(H, R, C, x0, y0, x1, y1, 50, B, N);
      oct = @() octave_ringdiff(H, R, C, x0, y0, x1, y1, 50, B);
      a = plug(); o = oct();
      agree = verdict_close(a, o);
      report(sprintf('ringdiff B=%d N=%d', B, N), time_alternating({plug, oct}, 5), agree);
    end
  end
  clear histograms H;

  %% gridsweep: every window at once from ndgrid coordinates.
  for n = [32 48]
    TA = zero_bordered(rand(n)); TB = zero_bordered(rand(n));
    for minSize = [1 2]
      plug = @() gridsweep(0, n, minSize, minSize, 0, TA, TB);
      oct = @() octave_gridsweep(n, minSize, minSize, TA, TB);
      hf = @() hostfloor(n * n, n * n);
      agree = verdict(isequal(plug(), oct()), 'exact');
      report(sprintf('gridsweep n=%d min=%d', n, minSize), ...
             time_alternating({plug, oct, hf}, 5), agree);
    end
  end

  %% peakpick: a box max filter and block maxima over the 4-D array.
  n = 32;
  scores = gridsweep(0, n, 1, 1, 0, zero_bordered(rand(n)), zero_bordered(rand(n)));
  inputs = {scores, 'gridsweep'; randn(n * n), 'random'};
  for s = 1:2
    for w = [3 5]
      h = inputs{s, 1};
      plug = @() peakpick_all(h, n, w);
      oct = @() octave_peakpick(h, n, w);
      [p, r] = plug();
      o = oct();
      agree = verdict(r == size(o, 2) && isequal(p(:, 1:r), o), sprintf('exact, %d maxima', r));
      report(sprintf('peakpick %s n=32 w=%d', inputs{s, 2}, w), ...
             time_alternating({plug, oct}, 5), agree);
    end
  end
  clear scores inputs h;

  %% drawweighted: cumsum with lookup; the generator reproduced in Octave.
  % The plug-in's generator starts at state 1 when loaded and carries over
  % from call to call; the Octave side follows it with the same recurrence, so
  % every draw can be checked exactly. The Octave code is timed with its
  % random values drawn beforehand (a user would call rand).
  clear drawweighted;
  state = 1;
  for replace = [0 1]
    for L = [10000 100000]
      s = rand(1, L);
      k = 1000;
      [g, after] = lcg_values(state, k);
      plug = @() drawweighted(s, k, replace);
      oct = @() octave_drawweighted(s, g, replace);
      state = after;
      agree = verdict(isequal(plug(), oct()), 'exact, same generator');
      % Every plug-in call (the warm-up included) advances its generator by k draws.
      [t, calls] = time_alternating({plug, oct}, 5);
      for r = 1:calls(1)
        [~, state] = lcg_values(state, k);
      end
      mode = {'without', 'with'}{replace + 1};
      report(sprintf('drawweighted L=%d %s', L, mode), t, agree);
    end
  end

end

function greedypick_rows(floorDir, here)
  %% greedypick: a loop of vectorised overlap tests over the unmarked windows;
  % then its plain walk and OpenCV's NMSBoxes, MEX files built here.
  % The plug-in is timed asked for the kept list alone and for both outputs.
  [area, x0, y0, x1, y1] = clustered_windows(100000);
  for c = [10 100 1000]
    plug = @() greedypick(area, 0, x0, y0, x1, y1, c);
    both = @() greedypick_both(area, x0, y0, x1, y1, c);
    oct = @() octave_greedypick(area, x0, y0, x1, y1, c);
    [kept, marker] = plug();
    [okept, omarker] = oct();
    agree = verdict(isequal(kept, okept) && isequal(marker, omarker) && isequal(plug(), okept), ...
                    'exact');
    t = time_alternating({plug, both, oct}, ifelse(c > 100, 3, 5));
    report(sprintf('greedypick c=%d, kept list', c), t([1 3]), agree);
    report(sprintf('greedypick c=%d, with marker', c), t([2 3]), agree);
  end
  greedypick_peers(floorDir, here, area, x0, y0, x1, y1);
  printf('%s\n', repmat('-', 1, 100));
  printf(['ratio = Octave / plug-in; vs floor = plug-in / host floor (a MEX that only creates ' ...
          'the output).\nTimes are medians in ms of alternating runs in one process.\n']);
  greedypick_sweep(area, x0, y0, x1, y1);
end

% greedypick against its plain walk (both outputs) and NMSBoxes (the kept
% list, with top_k up to the last kept window, so that it does the same job),
% on the clustered list, a list of long thin strips and a list of NaN windows.
% The second column is the peer's time, the ratio peer / plug-in; CPU times,
% since these kernels run on one thread and a shared machine's wall time
% also counts the waits for a core.
function greedypick_peers(floorDir, here, area, x0, y0, x1, y1)
  root = fileparts(fileparts(here));
  build = @(name, extra) system(sprintf('mkoctfile --mex -O2 -ffp-contract=off -o "%s" %s 2>&1', ...
      fullfile(floorDir, [name '.mex']), extra));
  [status, text] = build('greedypick_plain', sprintf('-I"%s" "%s" "%s"', ...
      fullfile(root, 'greedypick'), fullfile(here, 'greedypick_plain.cpp'), ...
      fullfile(root, 'greedypick', 'greedypick_kernel.cpp')));
  if status ~= 0
    error('compare: could not build the plain walk:\n%s', text);
  end
  [status, flags] = system('pkg-config --cflags --libs opencv4 2>/dev/null');
  haveOpenCV = status == 0 && ...
      build('nmsboxes', sprintf('%s "%s"', strtrim(flags), fullfile(here, 'nmsboxes.cpp'))) == 0;
  if ~haveOpenCV
    printf('greedypick: OpenCV not found, no NMSBoxes rows\n');
  end
  for c = [10 100 1000]
    plug = @() greedypick(area, 0, x0, y0, x1, y1, c);
    both = @() greedypick_both(area, x0, y0, x1, y1, c);
    plain = @() greedypick_plain_both(area, x0, y0, x1, y1, c);
    [kept, marker] = both();
    [pkept, pmarker] = plain();
    agree = verdict(isequal(kept, pkept) && isequal(marker, pmarker), 'exact');
    fns = {plug, both, plain};
    if haveOpenCV
      topK = ifelse(any(kept < 0), 0, max(kept) + 1);
      peer = @() nmsboxes(x0, y0, x1, y1, topK);
      picks = peer();
      verdict(isequal([picks; -ones(c - numel(picks), 1)], kept), 'NMSBoxes picks the same windows');
      fns{end + 1} = peer;
    end
    t = time_alternating(fns, 3, @cputime);
    report(sprintf('greedypick c=%d, both vs plain walk', c), t([2 3]), agree);
    if haveOpenCV
      report(sprintf('greedypick c=%d, kept vs NMSBoxes', c), t([1 4]), 'same picks');
    end
  end
  n = 100000;
  lists = {'strips', 'NaN windows'};
  for l = 1:2
    if l == 1
      [a, u0, v0, u1, v1] = strip_windows(n);
    else
      a = ones(n, 1); u0 = NaN(n, 1); v0 = u0; u1 = u0; v1 = u0;
    end
    plug = @() greedypick(a, 0, u0, v0, u1, v1, n);
    both = @() greedypick_both(a, u0, v0, u1, v1, n);
    plain = @() greedypick_plain_both(a, u0, v0, u1, v1, n);
    % The plain walk takes seconds here: timed once, on the call checked.
    [kept, marker] = both();
    start = cputime();
    [pkept, pmarker] = plain();
    tPlain = (cputime() - start) * 1000;
    agree = verdict(isequal(kept, pkept) && isequal(marker, pmarker) && isequal(plug(), kept), ...
                    sprintf('exact, %d kept', nnz(kept >= 0)));
    t = [time_alternating({plug, both}, 3, @cputime), tPlain];
    report(sprintf('greedypick %s c=%d, kept', lists{l}, n), t([1 3]), agree);
    report(sprintf('greedypick %s c=%d, both', lists{l}, n), t([2 3]), agree);
  end
end

% The plug-in over c in doubling steps from 1 to 100000 on the clustered
% list: the time of each output count and its ratio to the step before.
function greedypick_sweep(area, x0, y0, x1, y1)
  cs = [2 .^ (0:16), 100000];
  t = zeros(numel(cs), 2);
  last = zeros(numel(cs), 1);
  for k = 1:numel(cs)
    c = cs(k);
    plug = @() greedypick(area, 0, x0, y0, x1, y1, c);
    both = @() greedypick_both(area, x0, y0, x1, y1, c);
    t(k, :) = time_alternating({plug, both}, 5, @cputime);
    kept = plug();
    last(k) = max(kept);
  end
  printf('\ngreedypick through the host, 100000 clustered windows (medians of 5, CPU ms)\n');
  printf('%8s %10s %10s %8s %10s %8s\n', 'c', 'last kept', 'kept list', 'step', 'both', 'step');
  for k = 1:numel(cs)
    step = ifelse(k > 1, t(k, :) ./ t(max(k - 1, 1), :), [NaN NaN]);
    printf('%8d %10d %10.3f %7.2fx %10.3f %7.2fx\n', cs(k), last(k), t(k, 1), step(1), ...
           t(k, 2), step(2));
  end
end

%% ---- the idiomatic Octave versions ------------------------------------------

function H = octave_tallyplane(q, R, C, B)
  bins = floor(q(1:R * C));
  bins = reshape(bins, R, C);
  H = zeros(B, (R + 1) * (C + 1));
  T = zeros(R + 1, C + 1);
  for b = 1:B
    T(2:end, 2:end) = cumsum(cumsum(bins == b, 1), 2);
    H(b, :) = T(:)';
  end
end

function score = octave_ringdiff(H, R, C, x0, y0, x1, y1, p, B)
  K = @(r, c) r + c * (R + 1) + 1;  % column of corner (r, c)
  w = fix(x1 - x0 + 1); h = fix(y1 - y0 + 1);
  inner = ((H(:, K(y0 - 1, x0 - 1)) + H(:, K(y1, x1))) - H(:, K(y0 - 1, x1))) - H(:, K(y1, x0 - 1));
  S = sum(inner, 1);
  P = inner ./ S;
  P(:, S == 0) = 0;
  dx = (w * p) / 200; dy = (h * p) / 200;
  sx0 = ceil(max(x0 - dx, 1)); sx1 = ceil(min(x1 + dx, C));
  sy0 = ceil(max(y0 - dy, 1)); sy1 = ceil(min(y1 + dy, R));
  ring = (((H(:, K(sy0 - 1, sx0 - 1)) + H(:, K(sy1, sx1))) - H(:, K(sy0 - 1, sx1))) ...
          - H(:, K(sy1, sx0 - 1))) - inner;
  T = sum(ring, 1);
  Q = ring ./ T;
  s = Q + P;
  terms = (P - Q) .^ 2 ./ s;
  terms(s == 0) = 0;
  score = sum(terms, 1)';
  score(T == 0) = 0;
end

function S = octave_gridsweep(n, minW, minH, TA, TB)
  [xa, ya, xb, yb] = ndgrid(1:n);
  corner = @(r, c) r + c * (n + 1) + 1;
  UL = corner(ya - 1, xa - 1); UR = corner(ya - 1, xb); LL = corner(yb, xa - 1); LR = corner(yb, xb);
  SA = ((TA(UL) + TA(LR)) - TA(UR)) - TA(LL);
  SB = ((TB(UL) + TB(LR)) - TB(UR)) - TB(LL);
  w = xb - xa + 1; h = yb - ya + 1;
  S = (SA .* SB) ./ (w .* h);
  S(w < max(minW, 1) | h < max(minH, 1)) = 0;
  S = reshape(S, n * n, n * n);
end

% For whole half-widths c (neighbourhood 3 and 5): the blocks are a grid of
% pitch c + 1 in every coordinate; the earliest maximum of a block is found by
% ordering its positions with xmin slowest; a candidate survives when the box
% maximum around it is not above it.
function out = octave_peakpick(h, S, w)
  c = (w - 1) / 2; t = c + 1;
  H = reshape(h(1:S ^ 4), S, S, S, S);
  D = H;
  for dim = 1:4
    D = box_max(D, dim, c);
  end
  nb = ceil(S / t);
  G = -Inf(nb * t * [1 1 1 1]);
  G(1:S, 1:S, 1:S, 1:S) = H;
  G = reshape(permute(G, [4 3 2 1]), t, nb, t, nb, t, nb, t, nb);
  G = reshape(permute(G, [1 3 5 7 2 4 6 8]), t ^ 4, nb ^ 4);
  [best, at] = max(G, [], 1);
  [li, ki, ji, ii] = ind2sub([t t t t], at);
  [lb, kb, jb, ib] = ind2sub([nb nb nb nb], 1:nb ^ 4);
  xa = (ib - 1) * t + ii; ya = (jb - 1) * t + ji;
  xb = (kb - 1) * t + ki; yb = (lb - 1) * t + li;
  visited = (ib - 1) * t + 1 <= S - c & (jb - 1) * t + 1 <= S - c & kb >= ib & lb >= jb;
  keep = visited & best > 0;
  keep(keep) = D(sub2ind([S S S S], xa(keep), ya(keep), xb(keep), yb(keep))) <= best(keep);
  out = [xa(keep); ya(keep); xb(keep); yb(keep); best(keep)];
end

function D = box_max(A, dim, c)
  order = [dim setdiff(1:4, dim)];
  A = permute(A, order);
  sz = size(A);
  A = reshape(A, sz(1), []);
  D = A;
  for s = 1:c
    D(1:end - s, :) = max(D(1:end - s, :), A(1 + s:end, :));
    D(1 + s:end, :) = max(D(1 + s:end, :), A(1:end - s, :));
  end
  D = ipermute(reshape(D, sz), order);
end

function picks = octave_drawweighted(s, g, replace)
  L = numel(s);
  n = numel(g);
  if replace
    Cs = cumsum(s);
    picks = min(lookup(Cs, (g / 32767) * Cs(end)) + 1, L);
    return;
  end
  picks = zeros(1, n);
  w = s;
  for i = 1:n
    Cs = cumsum(w);
    k = min(lookup(Cs, (g(i) / 32767) * Cs(end)) + 1, L);
    picks(i) = k;
    w(k) = 0;
  end
end

function [kept, marker] = octave_greedypick(area, x0, y0, x1, y1, c)
  N = 100000;
  kept = -ones(c, 1);
  marker = zeros(N, 1);
  i = 1;
  for k = 1:c
    kept(k) = i - 1;
    marker(i) = 1;
    j = i + find(marker(i + 1:N) == 0);
    iw = (min(x1(i), x1(j)) - max(x0(i), x0(j))) + 1;
    ih = (min(y1(i), y1(j)) - max(y0(i), y0(j))) + 1;
    inter = ih .* iw;
    ratio = inter ./ ((area(i) + area(j)) - inter);
    marker(j(iw > 0 & ih > 0 & ratio > 0.5)) = 1;
    next = i + find(marker(i + 1:N) == 0, 1);
    if isempty(next)
      break;
    end
    i = next;
  end
end

%% ---- workloads, timing and printing ------------------------------------------

% Random patches of bins with noise, as in the kernel benchmark.
function q = blocky_image(R, C, B)
  patch = randi(B, ceil(R / 32), ceil(C / 32));
  q = kron(patch, ones(32));
  q = q(1:R, 1:C);
  noise = rand(R, C) < 0.25;
  q(noise) = randi(B, nnz(noise), 1);
end

function [x0, y0, x1, y1] = random_windows(R, C, N)
  w = randi([4 C / 2], N, 1); h = randi([4 R / 2], N, 1);
  x0 = floor(rand(N, 1) .* (C - w + 1)) + 1;
  y0 = floor(rand(N, 1) .* (R - h + 1)) + 1;
  x1 = x0 + w - 1; y1 = y0 + h - 1;
end

function T = zero_bordered(cells)
  T = zeros(size(cells) + 1);
  T(2:end, 2:end) = cumsum(cumsum(cells, 1), 2);
end

% As in the kernel benchmark: in a 500 x 500 image, 60 % of the windows are
% jittered copies of 1500 object boxes (sides 24 to 96), 40 % spread at random,
% in random order.
function [area, x0, y0, x1, y1] = clustered_windows(N)
  ow = randi([24 96], 1500, 1); oh = randi([24 96], 1500, 1);
  ox = randi(500, 1500, 1); oy = randi(500, 1500, 1);
  M = N * 6 / 10;
  k = mod(0:M - 1, 1500)' + 1;
  w = [max(4, round(ow(k) .* (1 + 0.1 * randn(M, 1)))); randi([24 96], N - M, 1)];
  h = [max(4, round(oh(k) .* (1 + 0.1 * randn(M, 1)))); randi([24 96], N - M, 1)];
  x = [round(ox(k) + 0.1 * ow(k) .* randn(M, 1)); randi(500, N - M, 1)];
  y = [round(oy(k) + 0.1 * oh(k) .* randn(M, 1)); randi(500, N - M, 1)];
  x0 = min(max(x, 1), 500 - w + 1);
  y0 = min(max(y, 1), 500 - h + 1);
  x1 = x0 + w - 1; y1 = y0 + h - 1;
  [~, order] = sort(rand(N, 1), 'descend');
  x0 = x0(order); y0 = y0(order); x1 = x1(order); y1 = y1(order);
  area = (x1 - x0 + 1) .* (y1 - y0 + 1);
end

% The plug-in's generator: state = state * 214013 + 2531011 mod 2^32, each
% value bits 16..30 of the new state.
function [g, state] = lcg_values(state, n)
  g = zeros(1, n);
  for i = 1:n
    state = mod(state * 214013 + 2531011, 4294967296);
    g(i) = mod(floor(state / 65536), 32768);
  end
end

function [kept, marker] = greedypick_both(area, x0, y0, x1, y1, c)
  [kept, marker] = greedypick(area, 0, x0, y0, x1, y1, c);
end

function [kept, marker] = greedypick_plain_both(area, x0, y0, x1, y1, c)
  [kept, marker] = greedypick_plain(area, x0, y0, x1, y1, c);
end

% As in the kernel benchmark: long thin strips, 1 to 3 pixels across and 200
% to 1000 long, half lying and half standing, in a 20000 x 20000 image.
function [area, x0, y0, x1, y1] = strip_windows(N)
  across = randi(3, N, 1); along = randi([200 1000], N, 1);
  standing = mod((1:N)', 2) == 1;
  w = across; w(standing) = along(standing);
  h = along; h(standing) = across(standing);
  x0 = randi(20000, N, 1); y0 = randi(20000, N, 1);
  x1 = x0 + w - 1; y1 = y0 + h - 1;
  area = w .* h;
end

function [p, r] = peakpick_all(h, n, w)
  [a, b, c, d, e] = peakpick(h, n, n, w);
  p = [a; b; c; d; e];
  r = nnz(e);
end

% Median time in ms of each function over `runs` alternating rounds, after one
% untimed warm-up round; wall time, or the time `clock` (seconds) tells.
function [t, made] = time_alternating(fns, runs, clock)
  % Medians in ms per call, and the calls made of each function, warm-up included. Each function runs in blocks of calls lasting
  % about 20 ms (a single call where one takes longer), and the order is
  % reversed every other round, so that no function always follows the same
  % one (a call after another's large allocation starts with cold caches).
  if nargin < 3
    clock = @() toc(uint64(0));   % seconds since the epoch
  end
  calls = zeros(1, numel(fns));
  for f = 1:numel(fns)
    start = clock(); fns{f}(); once = (clock() - start) * 1000;
    calls(f) = max(1, min(1000, round(20 / max(once, 0.001))));
  end
  times = zeros(runs, numel(fns));
  for r = 1:runs
    order = 1:numel(fns);
    if mod(r, 2) == 0
      order = fliplr(order);
    end
    for f = order
      start = clock();
      for k = 1:calls(f)
        fns{f}();
      end
      times(r, f) = (clock() - start) * 1000 / calls(f);
    end
  end
  t = median(times, 1);
  made = 1 + runs * calls;
end

function report(name, t, agree)
  if numel(t) > 2
    printf('%-34s %10.2f %10.2f %7.1fx %10.2f %7.2fx  %s\n', name, t(1), t(2), t(2) / t(1), ...
           t(3), t(1) / t(3), agree);
  else
    printf('%-34s %10.2f %10.2f %7.1fx %10s %8s  %s\n', name, t(1), t(2), t(2) / t(1), '', '', ...
           agree);
  end
  fflush(stdout);
end

% A result that differs from the Octave code's ends the run with an error, so
% `make bench` fails instead of printing timings of a wrong result.
function text = verdict(ok, what)
  if ~ok
    error('winscore:compare:different', ...
          'compare: the plug-in and the Octave code give different results (expected: %s)', what);
  end
  text = what;
end

function text = verdict_close(a, o)
  if isequal(a, o)
    text = 'exact';
    return;
  end
  d = max(abs(a - o) ./ max(abs(o), 1));
  if ~(d < 1e-12)
    error('winscore:compare:different', ...
          'compare: the plug-in and the Octave code differ by %.1e, more than summation order explains', d);
  end
  text = sprintf('within %.1e (summation order)', d);
end

function v = ifelse(c, a, b)
  if c
    v = a;
  else
    v = b;
  end
end
