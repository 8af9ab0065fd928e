function q = quantise (img, bins)
%QUANTISE  Quantise an image's colours into bin numbers 1..BINS.
%   Q = winscore.quantise(IMG, BINS) is a double matrix of size(IMG, 1) x
%   size(IMG, 2) holding a bin number from 1 to BINS for every pixel, ready
%   for winscore.contrast or TALLYPLANE.
%
%   IMG is a grey (R x C) or RGB (R x C x 3) image of any numeric or logical
%   class. Integer classes span their full range (uint8 0..255 is 0..1);
%   single and double images are taken as 0..1 and clipped to it (NaN as 0);
%   logical is 0 or 1.
%   - RGB: BINS must be a whole cube L^3 (8, 27, 64, 125, ...). Each channel
%     v in 0..1 gets the level l = min(floor(v*L), L-1) in 0..L-1, and the
%     pixel the bin 1 + lR + L*lG + L^2*lB.
%   - Grey: BINS levels of the one channel, bin 1 + min(floor(v*BINS), BINS-1).
%
%   Example:
%     img = zeros (2, 3, 3);  img(1, :, 1) = 1;   % top row red, bottom black
%     q = winscore.quantise (img, 8)              % [2 2 2; 1 1 1]
%
%   See also WINSCORE.CONTRAST, WINSCORE.PROPOSE, TALLYPLANE.

% SPDX-License-Identifier: MIT

  if nargin ~= 2
    error ('winscore:quantise:inputs', 'winscore.quantise: expects an image and a bin count');
  end
  winscore.internal.checkImage ('quantise', img);
  bins = winscore.internal.scalar ('quantise', 'bins', bins, 1, 2 ^ 31 - 1, true);
  if size (img, 3) == 1
    q = winscore.internal.ringcontrast ('quantise', full (img), bins);
    return;
  end
  levels = round (bins ^ (1 / 3));
  if levels ^ 3 ~= bins
    error ('winscore:quantise:bins', ...
           'winscore.quantise: bins must be a whole cube (8, 27, 64, ...) for an RGB image, not %d', bins);
  end
  q = winscore.internal.ringcontrast ('quantise', img, bins);
end
