function fused_contrast()
%FUSED_CONTRAST  The fused contrast kernel against tallyplane + ringdiff, through Octave.
%   FUSED_CONTRAST() scores 3000 windows (propose's candidates) on a
%   1024 x 768 picture at 64 bins three ways: TALLYPLANE then RINGDIFF,
%   winscore.contrast (the fused kernel on the bins), and the fused kernel
%   on the uint8 pixels (quantised in the same pass, as winscore.propose
%   does). Runs of the three alternate in one process; it prints the
%   medians, their ratios, and the working memory of each (the integral
%   histogram against the kernel's own figure). The scores must agree to
%   the bit, or the run ends with an error. Needs build/mex on the path.

% SPDX-License-Identifier: MIT

  R = 768; C = 1024; B = 64; N = 3000; runs = 7;
  rand('seed', 1);
  img = blocky_picture(R, C);
  q = winscore.quantise(img, B);
  u = rand(N, 4);
  w = max(round(C * (0.06 + 0.54 * u(:, 1))), 1);
  h = max(round(R * (0.06 + 0.54 * u(:, 2))), 1);
  x0 = 1 + floor((C - w + 1) .* u(:, 3));
  y0 = 1 + floor((R - h + 1) .* u(:, 4));
  boxes = [x0, y0, x0 + w - 1, y0 + h - 1];

  pair = @() ringdiff(tallyplane(q, R, C, B), R, C, boxes(:, 1), boxes(:, 2), ...
                      boxes(:, 3), boxes(:, 4), 50, B, N);
  fused = @() winscore.contrast(q, boxes, 'Bins', B);
  pixels = @() winscore.internal.ringcontrast('pixels', img, B, boxes, 50, Inf);
  want = pair();
  if ~isequal(typecast(fused(), 'uint64'), typecast(want, 'uint64')) || ...
     ~isequal(typecast(pixels(), 'uint64'), typecast(want, 'uint64'))
    error('fused_contrast: the fused kernel differs from tallyplane + ringdiff');
  end

  times = zeros(runs, 3);
  calls = {pair, fused, pixels};
  for r = 1:runs
    for k = 1:3
      tic;
      calls{k}();
      times(r, k) = toc;
    end
  end
  t = 1000 * median(times);
  histogram = 8 * B * (R + 1) * (C + 1);
  working = winscore.internal.ringcontrast('bytes', R, C, B, N);
  printf('\n%d x %d, %d bins, %d windows, medians of %d alternating runs\n', C, R, B, N, runs);
  printf('%-36s %9s %9s %14s\n', 'road', 'ms', 'speed-up', 'working MB');
  printf('%-36s %9.1f %9s %14.1f\n', 'tallyplane + ringdiff', t(1), '1', histogram / 1e6);
  printf('%-36s %9.2f %9.0f %14.1f\n', 'winscore.contrast (fused, bins)', t(2), t(1) / t(2), ...
         working / 1e6);
  printf('%-36s %9.2f %9.0f %14.1f\n', 'fused kernel on uint8 pixels', t(3), t(1) / t(3), ...
         working / 1e6);
end

function img = blocky_picture(R, C)
  % Flat blocks of colour with noise, as uint8 RGB.
  blocks = rand(ceil(R / 48), ceil(C / 48), 3);
  img = blocks(ceil((1:R) / 48), ceil((1:C) / 48), :);
  img = uint8(255 * min(max(img + 0.08 * randn(R, C, 3), 0), 1));
end
